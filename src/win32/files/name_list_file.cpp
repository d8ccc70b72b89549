#include "win32/files/name_list_file.h"

#include <windows.h>

#include "core/rows/add_files.h"
#include "win32/settings/settings_file_io.h"

namespace qm::win32 {

namespace {

// Far more than the names of any list of files; a larger file is not a list.
constexpr std::uint64_t LargestNameList = 64ull * 1024 * 1024;

std::uint64_t Join(DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; }

}  // namespace

std::shared_ptr<const NameList> NameListFile::Get(const std::u16string& path, bool reread) {
    const std::wstring name(path.begin(), path.end());
    WIN32_FILE_ATTRIBUTE_DATA found{};
    const bool exists = !path.empty() && GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &found) &&
                        !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    const std::uint64_t written = exists ? Join(found.ftLastWriteTime.dwHighDateTime, found.ftLastWriteTime.dwLowDateTime) : 0;
    const std::uint64_t size = exists ? Join(found.nFileSizeHigh, found.nFileSizeLow) : 0;
    if (!reread && list_ && path == path_ && written == written_ && size == size_) return list_;

    path_ = path;
    written_ = written;
    size_ = size;
    NameList list;
    list.fileName = std::u16string(SplitPath(path).name);
    FileBytes bytes;
    if (path.empty())
        list.problem = NameListProblem::NotChosen;
    else if (!exists || size > LargestNameList || ReadFileBytes(name, bytes) != 0)
        list.problem = NameListProblem::Unreadable;
    else
        list = ReadNameList(bytes.bytes(), std::move(list.fileName));
    list_ = std::make_shared<const NameList>(std::move(list));
    return list_;
}

}  // namespace qm::win32
