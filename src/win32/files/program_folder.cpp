#include "win32/files/program_folder.h"

#include <windows.h>

namespace qm::win32 {

namespace {
constexpr DWORD ExecutablePathUnits = 1024;
}  // namespace

std::wstring ProgramFolderFile(std::wstring_view name) {
    wchar_t buffer[ExecutablePathUnits] = {};
    const DWORD length = GetModuleFileNameW(nullptr, buffer, ExecutablePathUnits);
    if (length == 0 || length >= ExecutablePathUnits) return {};
    // The folder with its last "\" ("C:\" for a program at a drive's root).
    // Cut here rather than by the shell's path helpers, whose library the
    // start would load for this alone.
    std::wstring path(buffer, length);
    const std::size_t lastSeparator = path.rfind(L'\\');
    if (lastSeparator == std::wstring::npos) return {};
    path.erase(lastSeparator + 1);
    return path.append(name);
}

}  // namespace qm::win32
