#pragma once
// The main window's date picker shows a UTC file time as local time.
#include <windows.h>

#include <cstdint>
#include <optional>

namespace qm {

// Shows the instant in the picker as local time (offset in force now).
void ShowFileTimeInPicker(HWND picker, std::uint64_t utcFileTime);

// The picker's value as a UTC file time; none when the picker has no valid
// time or the platform cannot convert it.
std::optional<std::uint64_t> PickerFileTime(HWND picker);

}  // namespace qm
