#pragma once
// A settings file that is there but cannot be read (held by another program,
// a read error, bytes in no form we know) is never written over; the user is
// told so once, when the main window has appeared.
#include <windows.h>

namespace qm {

inline constexpr const wchar_t* SettingsUnreadableCaption = L"Settings not read";
inline constexpr const wchar_t* SettingsUnreadableText =
    L"settings.ini could not be read, so Quillmoth runs on its default settings this time. "
    L"The file will not be overwritten when Quillmoth closes.";

// Shows the message once the window's message loop runs.
void TellSettingsUnreadable(HWND mainWindow);

// A settings file that could not be written when the window closed (held by
// another program, no new file could be made beside it) is left as it was;
// the user is told so at once.
inline constexpr const wchar_t* SettingsNotSavedCaption = L"Settings not saved";
inline constexpr const wchar_t* SettingsNotSavedText =
    L"settings.ini could not be written, so the settings of this session were not saved. "
    L"The file was left as it was.";
void TellSettingsNotSaved(HWND mainWindow);

}  // namespace qm
