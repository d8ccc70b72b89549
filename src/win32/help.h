#pragma once
// The compiled help file beside the program, shown through the HTML Help library.
#include <windows.h>

#include <string>
#include <string_view>

namespace qm::win32 {

inline constexpr wchar_t HelpFileName[] = L"Quillmoth.chm";
inline constexpr wchar_t MainHelpTopic[] = L"::/index.html>MainWindow";
inline constexpr wchar_t TimeFormatHelpTopic[] = L"::/timeformat.html>TimeFormatPopup";

// The help file's full path followed by `topic`; empty when the program's
// folder is unknown. Built from the executable's folder, never the current one,
// so that a file of that name planted in the current folder is never opened.
std::wstring HelpTarget(std::wstring_view topic);

// HH_DISPLAY_TOPIC for `target`. The library shows nothing at all for a
// missing file (ui/support/help_topic.h says so). Returns the help window, or null.
HWND ShowHelpTopic(HWND owner, const std::wstring& target);

}  // namespace qm::win32
