#include "win32/files/outside_path_names.h"

#include <windows.h>

#include "core/rows/add_files.h"
#include "core/outside/path_list_reader.h"
#include "win32/settings/settings_file_io.h"

namespace qm::win32 {

namespace {

// A drive letter and colon, or a leading slash: not relative to a folder.
bool IsRelative(std::u16string_view path) {
    if (!path.empty() && (path[0] == u'\\' || path[0] == u'/')) return false;
    return !(path.size() >= 2 && path[1] == u':');
}

// Far more than any list of paths that fits the file list; a larger file is
// not a list of paths, and reading it whole could take all memory.
constexpr unsigned long long LargestListFile = 256ull * 1024 * 1024;

}  // namespace

std::u16string FullPath(std::u16string_view path, std::u16string_view baseFolder) {
    if (path.empty()) return {};
    std::wstring given;
    if (!baseFolder.empty() && IsRelative(path)) {
        given.assign(baseFolder.begin(), baseFolder.end());
        if (given.back() != L'\\') given += L'\\';
    }
    given.append(path.begin(), path.end());
    if (given.find(L'\0') != std::wstring::npos) return {};  // the platform would cut it short

    std::wstring full(MAX_PATH, L'\0');
    DWORD length = GetFullPathNameW(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length);
        length = GetFullPathNameW(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    if (length == 0 || length >= full.size()) return {};
    full.resize(length);
    return {full.begin(), full.end()};
}

std::optional<std::vector<std::u16string>> ReadPathListFile(const std::u16string& listFile) {
    const std::wstring name(listFile.begin(), listFile.end());
    WIN32_FILE_ATTRIBUTE_DATA found{};
    if (!GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &found) ||
        (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        ((static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow) > LargestListFile)
        return std::nullopt;
    FileBytes file;
    if (ReadFileBytes(name, file) != 0) return std::nullopt;
    std::vector<std::u16string> paths = ReadPathList(file.bytes());
    const std::u16string_view folder = SplitPath(listFile).folder;
    for (std::u16string& path : paths) {
        std::u16string full = FullPath(path, folder);
        if (!full.empty()) path = std::move(full);  // else kept as it was, to be named as not added
    }
    return paths;
}

}  // namespace qm::win32
