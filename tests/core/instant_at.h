#pragma once
// The file time of a calendar date and time, for tests that name instants.
#include <cstdint>

#include "core/timestamp/calendar.h"

namespace qm {

inline std::uint64_t At(int y, int mo, int d, int h, int mi = 0, int s = 0, int ms = 0) {
    CalendarFields f;
    f.year = static_cast<std::uint16_t>(y), f.month = static_cast<std::uint16_t>(mo);
    f.day = static_cast<std::uint16_t>(d), f.hour = static_cast<std::uint16_t>(h);
    f.minute = static_cast<std::uint16_t>(mi), f.second = static_cast<std::uint16_t>(s);
    f.millisecond = static_cast<std::uint16_t>(ms);
    return *FileTimeFromCalendar(f);
}

}  // namespace qm
