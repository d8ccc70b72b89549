#pragma once
// A settings file that is there but cannot be read (held by another program,
// a read error) is never written over; the user is told so once, when the
// main window has appeared.
#include <windows.h>

namespace qm {

inline constexpr const wchar_t* SettingsUnreadableCaption = L"Settings not read";
inline constexpr const wchar_t* SettingsUnreadableText =
    L"settings.ini could not be read, so Quillmoth runs on its default settings this time. "
    L"The file will not be overwritten when Quillmoth closes.";

// Shows the message once the window's message loop runs.
void TellSettingsUnreadable(HWND mainWindow);

}  // namespace qm
