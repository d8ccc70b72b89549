#pragma once
// The platform clock.
#include <cstdint>

namespace qm::win32 {

// The current UTC time as a file time (GetSystemTimeAsFileTime).
std::uint64_t SystemNowFileTime();

}  // namespace qm::win32
