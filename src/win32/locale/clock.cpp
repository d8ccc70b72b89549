#include "win32/locale/clock.h"

#include <windows.h>

#include "core/timestamp/unix_time.h"

namespace qm::win32 {

namespace {

std::uint64_t FromFileTime(const FILETIME& ft) {
    return (static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

}  // namespace

std::uint64_t SystemNowFileTime() {
    FILETIME ft{};
    GetSystemTimeAsFileTime(&ft);
    return FromFileTime(ft);
}

std::uint64_t LocalNowAsUtc() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    FILETIME local{}, utc{};
    SystemTimeToFileTime(&now, &local);
    LocalFileTimeToFileTime(&local, &utc);
    return FromFileTime(utc);
}

std::uint64_t CurrentFileTime() { return SystemNowFileTime(); }

std::uint64_t CurrentUnixTime() { return UnixTimeFromFileTime(SystemNowFileTime()); }

LocalOffset LocalOffsetNow() {
    // The conversion applies the bias in force now whatever instant it is
    // given; converting the current time keeps clear of any wrap-around.
    FILETIME utc{};
    GetSystemTimeAsFileTime(&utc);
    FILETIME local{};
    if (!FileTimeToLocalFileTime(&utc, &local)) return 0;
    return static_cast<LocalOffset>(FromFileTime(local) - FromFileTime(utc));
}

}  // namespace qm::win32
