#pragma once
// Opening a page of the help file, and saying so when the file is not there.
#include <windows.h>

#include <string_view>

namespace qm {

// Shows `topic` of the help file beside the program (win32/help.h); when the
// file is missing, a message names it and the folder it was looked for in.
void OpenHelpTopic(HWND owner, std::wstring_view topic);

}  // namespace qm
