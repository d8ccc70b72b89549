#pragma once
// What the tests of the real program do with it as a person would: a
// settings file to start from, and files added through the open dialog.
#include <windows.h>

#include <string>
#include <vector>

#include "program_process.h"

namespace qm::testing {

// A settings file that holds only the folder the open dialog starts in.
void WriteLastPathSettings(const std::wstring& settingsPath, const std::wstring& lastPath);

// Adds the named files of the folder the open dialog starts in through the
// dialog, the names typed in as a person would paste them; true once the
// status line counts them.
bool AddThroughOpenDialog(const ProgramProcess& process, HWND main, const std::vector<std::wstring>& names,
                          DWORD milliseconds);

}  // namespace qm::testing
