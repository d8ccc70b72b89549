#include "win32/clock.h"

#include <windows.h>

namespace qm::win32 {

std::uint64_t SystemNowFileTime() {
    FILETIME ft{};
    GetSystemTimeAsFileTime(&ft);
    return (static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

}  // namespace qm::win32
