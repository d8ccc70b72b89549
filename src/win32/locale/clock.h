#pragma once
// The platform clock and the time-zone offset in force now.
#include <cstdint>

#include "core/timestamp/local_time.h"

namespace qm::win32 {

// The current UTC time as a file time (GetSystemTimeAsFileTime).
std::uint64_t SystemNowFileTime();

// Now as the local clock reads it (whole milliseconds), turned back into UTC
// with the offset in force now: the time "Auto" of the date and "Current
// Time" give.
std::uint64_t LocalNowAsUtc();

// The "Win32" time stamp: the current file time.
std::uint64_t CurrentFileTime();

// The "Unix" time stamp: whole seconds since 1970-01-01 00:00 UTC, now.
std::uint64_t CurrentUnixTime();

// The offset that FileTimeToLocalFileTime applies now (local minus UTC), so
// that the core's local conversion equals the platform's.
LocalOffset LocalOffsetNow();

}  // namespace qm::win32
