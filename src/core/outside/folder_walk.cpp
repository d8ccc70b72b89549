#include "core/outside/folder_walk.h"

#include <memory>
#include <vector>

#include "core/rows/add_files.h"
#include "core/rows/attribute_letters.h"
#include "core/rows/list_editing.h"

namespace qm {

namespace {

// The entries in the order that the "File Name" column sorts them.
std::vector<FolderEntry> InNameOrder(std::vector<FolderEntry> entries) {
    std::vector<std::u16string_view> names;
    names.reserve(entries.size());
    for (const FolderEntry& entry : entries) names.push_back(entry.name);
    std::vector<FolderEntry> sorted;
    sorted.reserve(entries.size());
    for (std::size_t i : SortedOrderOfTexts(names)) sorted.push_back(std::move(entries[i]));
    return sorted;
}

}  // namespace

FolderWalkResult AddFolderTree(FileTable& table, std::u16string_view folder, bool subfolders, FileSystem& files,
                               FolderWalkProgress* progress, bool hiddenAndSystem,
                               const NamePatterns& only) {
    const std::uint32_t leftOut = hiddenAndSystem ? 0 : FileAttribute::Hidden | FileAttribute::System;
    FolderWalkResult result;
    // Folders still to walk, the next one last: depth first without recursion,
    // however deep the tree.
    std::vector<std::u16string> pending{std::u16string(folder)};
    std::vector<FolderEntry> entries;
    while (!pending.empty()) {
        const std::u16string current = std::move(pending.back());
        pending.pop_back();
        if (!files.ListEntries(current, entries)) {
            result.paths.Skip(current);
            continue;
        }
        const FolderText folderText = std::make_shared<const std::u16string>(current);
        std::vector<std::u16string> below;
        for (const FolderEntry& entry : InNameOrder(std::move(entries))) {
            if (entry.attributes & DirectoryAttribute) {
                if (entry.attributes & ReparsePointAttribute)
                    ++result.linksSkipped;
                else if (subfolders && (entry.attributes & leftOut))
                    ++result.hiddenFoldersSkipped;
                else if (subfolders)
                    below.push_back(JoinPath(current, entry.name));
                continue;
            }
            if (!only.Matches(entry.name)) continue;
            if (entry.attributes & leftOut) {
                ++result.hiddenFilesSkipped;
                continue;
            }
            if (AppendFileRow(table, folderText, entry.name, files))
                ++result.paths.added;
            else
                result.paths.Skip(JoinPath(current, entry.name));
            if (progress && !progress->KeepGoing(result.paths.added)) {
                result.stopped = true;
                return result;
            }
        }
        pending.insert(pending.end(), below.rbegin(), below.rend());
        entries.clear();
    }
    return result;
}

}  // namespace qm
