#pragma once
// Files that lie beside the running executable: the settings file and the help.
#include <string>
#include <string_view>

namespace qm::win32 {

// The executable's folder, "\" and `name`; empty when the executable's path
// does not fit the 1024-unit buffer, so that no caller falls back on a file
// of that name in the current folder.
std::wstring ProgramFolderFile(std::wstring_view name);

}  // namespace qm::win32
