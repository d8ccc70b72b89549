#pragma once
// File time to Unix time, in the unsigned 64-bit arithmetic of the "unix"
// time stamp: instants before 1970 wrap around 2^64 rather than going negative,
// so the instant 0 gives 1833029933770.
#include <cstdint>

namespace qm {

// 100 ns units from 1601-01-01 to 1970-01-01 (11644473600 seconds).
constexpr std::uint64_t kUnixEpochAsFileTime = 116'444'736'000'000'000;
constexpr std::uint64_t kTicksPerSecond = 10'000'000;

constexpr std::uint64_t UnixTimeFromFileTime(std::uint64_t fileTime) {
    return (fileTime - kUnixEpochAsFileTime) / kTicksPerSecond;
}

}  // namespace qm
