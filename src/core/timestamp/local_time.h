#pragma once
// Local time as the platform makes it: the UTC instant shifted by the one
// time-zone offset in force now (daylight saving included), not by the offset
// that applied at the instant itself. The platform layer supplies the offset.
// Both shifts wrap around 2^64 as the platform's 64-bit arithmetic does; a
// wrapped result lies at 2^63 or above, which the calendar then rejects.
#include <cstdint>

namespace qm {

// Local time minus UTC, in 100 ns units (+1 h in Berlin in winter: 36'000'000'000).
using LocalOffset = std::int64_t;

constexpr std::int64_t kTicksPerHour = 36'000'000'000;

// As FileTimeToLocalFileTime.
constexpr std::uint64_t LocalFromUtc(std::uint64_t utc, LocalOffset offset) {
    return utc + static_cast<std::uint64_t>(offset);
}

// As LocalFileTimeToFileTime.
constexpr std::uint64_t UtcFromLocal(std::uint64_t local, LocalOffset offset) {
    return local - static_cast<std::uint64_t>(offset);
}

}  // namespace qm
