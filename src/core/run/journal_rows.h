#pragma once
// What the program does with the rows of a run journal: brings the rows of an
// interrupted run up to date with the disk, and finds the journal's rows among
// the rows of the list.
#include <cstddef>
#include <string>
#include <vector>

#include "core/rows/file_row.h"
#include "core/rows/file_system.h"

namespace qm {

// Rows of a run (or an undo) that never ended. A row with a planned name takes
// it when its file is no longer at its current path but is at the planned one;
// otherwise it stays as it is. Each folder is listed once, so a name that only
// changed case is told apart by its spelling. Returns how many rows took their
// planned names.
std::size_t ApplyPlannedNames(FileTable& rows, const std::vector<std::u16string>& plannedNames, FileSystem& files);

// All eleven texts alike.
bool SameTexts(const FileRow& a, const FileRow& b);

// For each journal row, the index of a row among `candidates` (indices into
// `table`) with the same eleven texts, or NoMatch; each candidate answers for
// one journal row at most, so a file listed twice is matched twice.
inline constexpr std::size_t NoMatch = static_cast<std::size_t>(-1);
std::vector<std::size_t> MatchJournalRows(const FileTable& journalRows, const FileTable& table,
                                          const std::vector<std::size_t>& candidates);

// True when every row is at its original name: nothing is left to undo.
bool AllAtOriginalNames(const FileTable& rows);

}  // namespace qm
