#pragma once
// "Add Folder": every file of a folder, or of its whole tree, appended to the
// list as the open dialog appends files, in name order per folder.
#include <cstddef>
#include <string>

#include "core/rows/file_table.h"
#include "core/rows/file_system.h"
#include "core/outside/outside_paths.h"
#include "core/text/name_patterns.h"
#include "core/timestamp/local_time.h"

namespace qm {

inline constexpr std::uint32_t DirectoryAttribute = 0x10;
inline constexpr std::uint32_t ReparsePointAttribute = 0x400;

// Told after every file; false stops the walk (the rows added so far stay).
class FolderWalkProgress {
public:
    virtual ~FolderWalkProgress() = default;
    virtual bool KeepGoing(std::size_t filesAdded) = 0;
};

struct FolderWalkResult {
    // Files added; files that could not be opened and folders that could not
    // be read, counted, the first few by their paths (as for outside paths).
    OutsideAddResult paths;
    std::size_t linksSkipped = 0;  // links and junctions to folders, which are not followed
    // Hidden or system files, and with subfolders hidden or system folders,
    // left out as Explorer leaves them out of its view.
    std::size_t hiddenFilesSkipped = 0;
    std::size_t hiddenFoldersSkipped = 0;
    bool stopped = false;
};

// Adds the files of `folder` (a path without a trailing "\"), then, with
// `subfolders`, those of each subfolder in name order, depth first. Names sort
// as the "File Name" column sorts. A folder that is a link or junction is not
// entered, so a loop in the tree cannot run forever. Hidden and system files
// and folders (desktop.ini, Thumbs.db) are left out unless `hiddenAndSystem`;
// files whose names `only` does not match are passed over without a count.
FolderWalkResult AddFolderTree(FileTable& table, std::u16string_view folder, bool subfolders, FileSystem& files,
                               FolderWalkProgress* progress = nullptr,
                               bool hiddenAndSystem = false, const NamePatterns& only = NamePatterns());

}  // namespace qm
