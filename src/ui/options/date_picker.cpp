#include "ui/options/date_picker.h"

#include <commctrl.h>

namespace qm {

namespace {
FILETIME ToFileTime(std::uint64_t value) {
    return {static_cast<DWORD>(value & 0xFFFFFFFFu), static_cast<DWORD>(value >> 32)};
}
std::uint64_t FromFileTime(const FILETIME& value) {
    return (static_cast<std::uint64_t>(value.dwHighDateTime) << 32) | value.dwLowDateTime;
}
}  // namespace

void ShowFileTimeInPicker(HWND picker, std::uint64_t utcFileTime) {
    const FILETIME utc = ToFileTime(utcFileTime);
    FILETIME local{};
    SYSTEMTIME fields{};
    FileTimeToLocalFileTime(&utc, &local);
    FileTimeToSystemTime(&local, &fields);
    SendMessageW(picker, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"dddd MMM dd yyyy - hh:mm tt"));
    SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&fields));
}

std::optional<std::uint64_t> PickerFileTime(HWND picker) {
    SYSTEMTIME fields{};
    if (SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&fields)) != GDT_VALID)
        return std::nullopt;
    FILETIME local{};
    FILETIME utc{};
    if (!SystemTimeToFileTime(&fields, &local) || !LocalFileTimeToFileTime(&local, &utc))
        return std::nullopt;
    return FromFileTime(utc);
}

}  // namespace qm
