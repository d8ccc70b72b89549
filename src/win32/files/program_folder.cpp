#include "win32/files/program_folder.h"

#include <windows.h>
#include <shlwapi.h>

namespace qm::win32 {

namespace {
constexpr DWORD ExecutablePathUnits = 1024;
}  // namespace

std::wstring ProgramFolderFile(std::wstring_view name) {
    wchar_t buffer[ExecutablePathUnits] = {};
    const DWORD length = GetModuleFileNameW(nullptr, buffer, ExecutablePathUnits);
    if (length == 0 || length >= ExecutablePathUnits) return {};
    PathRemoveFileSpecW(buffer);
    std::wstring path = buffer;
    if (!path.empty() && path.back() != L'\\') path += L'\\';
    return path.append(name);
}

}  // namespace qm::win32
