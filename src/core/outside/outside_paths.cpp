#include "core/outside/outside_paths.h"

#include <memory>

#include "core/rows/add_files.h"

namespace qm {

namespace {

// Folder, "\" and name, with its end mark, in a 261-unit buffer.
constexpr std::size_t LongestPath = 260;

// A full path: a drive letter and ":\", or "\\" and a server.
bool IsFullPath(std::u16string_view path) {
    if (path.size() >= 3 && path[1] == u':' && path[2] == u'\\') {
        const char16_t drive = path[0] | 0x20;
        return drive >= u'a' && drive <= u'z';
    }
    return path.size() > 2 && path[0] == u'\\' && path[1] == u'\\';
}

bool CanBeTried(std::u16string_view path) {
    return IsFullPath(path) && path.size() <= LongestPath && path.find(u'\0') == std::u16string_view::npos &&
           path.back() != u'\\';
}

}  // namespace

void OutsideAddResult::Skip(std::u16string_view path) {
    ++skipped;
    if (firstSkipped.size() < NamedSkippedPaths) firstSkipped.emplace_back(path);
}

void AddOutsidePaths(FileTable& table, std::span<const std::u16string> paths, FileSystem& files,
                     OutsideAddResult& result, RunProgress* progress) {
    FolderText folder;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (progress) progress->Advance(i, paths.size());
        const std::u16string& path = paths[i];
        if (!CanBeTried(path)) {
            result.Skip(path);
            continue;
        }
        const PathSplit split = SplitPath(path);
        std::u16string_view folderText = split.folder;
        if (!folderText.empty() && folderText.back() == u'\\') folderText.remove_suffix(1);  // a root folder is "C:"
        if (!folder || *folder != folderText) folder = std::make_shared<const std::u16string>(folderText);
        if (AppendFileRow(table, folder, split.name, files))
            ++result.added;
        else
            result.Skip(path);
    }
}

std::u16string SkippedPathsMessage(const OutsideAddResult& result) {
    if (result.skipped == 0) return {};
    const std::u16string count = [&] {
        std::string digits = std::to_string(result.skipped);
        return std::u16string(digits.begin(), digits.end());
    }();
    std::u16string text = result.skipped == 1 ? u"1 path could not be added"
                                              : count + u" paths could not be added";
    text += u" (missing, a folder, or the file could not be opened):\r\n";
    for (const std::u16string& path : result.firstSkipped) text += u"\r\n" + path;
    if (result.skipped > result.firstSkipped.size()) text += u"\r\n...";
    return text;
}

}  // namespace qm
