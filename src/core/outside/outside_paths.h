#pragma once
// Adding paths that come from outside the window (the command line, a list
// file, a second start): the rows are made as for a drop, but a path that
// cannot be added is skipped and the rest go on; what was skipped is told
// once at the end.
#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "core/rows/file_table.h"
#include "core/rows/file_system.h"
#include "core/run/run_progress.h"
#include "core/timestamp/local_time.h"

namespace qm {

// How many of the first skipped paths the message names.
inline constexpr std::size_t NamedSkippedPaths = 5;

struct OutsideAddResult {
    std::size_t added = 0;
    std::size_t skipped = 0;
    std::vector<std::u16string> firstSkipped;  // at most NamedSkippedPaths

    void Skip(std::u16string_view path);
};

// Appends a row per full path that names a file that can be opened; counts
// the others (missing, a folder, held open elsewhere, not a full path, longer
// than the platform's 260 units) in `result`.
void AddOutsidePaths(FileTable& table, std::span<const std::u16string> paths, FileSystem& files,
                     OutsideAddResult& result, RunProgress* progress = nullptr);

// The one message about what was skipped; empty when nothing was.
std::u16string SkippedPathsMessage(const OutsideAddResult& result);

}  // namespace qm
