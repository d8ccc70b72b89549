#pragma once
// Adding a file to the list: its row holds its name, times and attributes
// twice, once as they are now and once as they were when it was added.
#include <string_view>

#include "core/rows/file_table.h"
#include "core/rows/file_system.h"
#include "core/timestamp/local_time.h"

namespace qm {

// Opens the file (folder, "\", name) for reading without sharing, reads its
// times, attributes and identity, and appends its row. A file whose extension
// can carry a date taken is marked for its reading later (DateTakenReading),
// which costs adding nothing. False, with nothing appended, when the file
// cannot be opened.
bool AppendFileRow(FileTable& table, const FolderText& folder, std::u16string_view name, FileSystem& files);

// A full path split at its last "\" into folder and name; a path without one
// is all name.
struct PathSplit {
    std::u16string_view folder;
    std::u16string_view name;
};
PathSplit SplitPath(std::u16string_view path);

}  // namespace qm
