#pragma once
// What the program does with the rows of a run journal: brings the rows of an
// interrupted run up to date with the disk, and finds the journal's rows among
// the rows of the list.
#include <cstddef>
#include <string>
#include <vector>

#include "core/rows/file_table.h"
#include "core/rows/file_system.h"
#include "core/run/rename_run.h"
#include "core/timestamp/local_time.h"

namespace qm {

// Rows of a run (or an undo) that never ended, brought up to date with the
// disk. Every step the journal recorded is taken as done: a row that moved
// takes its planned name, one that was finished or never reached keeps its
// name. Only a row that was reached and not finished (the file in hand when
// the run was killed) is decided by its file's identity: it takes whichever
// of its name and its planned name holds that file now (both do when they
// differ only in case or trailing dots: then the spelling in the folder
// decides); when both hold a file that fits it (FAT, files of one size and
// creation time), it is left alone, named in `twoFit`, and never acted on
// again. Rows of a version-2 journal, which recorded no steps, are all
// decided by identity; rows of a version-1 journal, without identities, take
// their planned names as ApplyPlannedNames does. A row whose file (known by
// an id, not by size and creation time) is neither where its steps say nor at
// its name, but is at its planned name, takes it: the steps are not flushed,
// and a power cut may lose the last. A row whose file is not at
// its name is marked NotFound, or MovedThisRun when another row of the same
// file found it (a file listed twice). Each row found keeps its file's
// identity as read now; a file may have been given the creation time the
// run meant to give it, or its original one by an undo.
struct RecoveredRows {
    std::vector<RunRowOutcome> outcomes;  // per row: Done, NotFound, MovedThisRun or TwoFilesFit
    std::size_t notFound = 0;
    struct TwoFiles {
        std::size_t row = 0;
        std::u16string current, planned;  // the two paths that both hold a file that fits
    };
    std::vector<TwoFiles> twoFit;
};
struct JournalReading;
RecoveredRows RecoverInterruptedRows(JournalReading& journal, FileSystem& files);

// Rows without identities: a row with a planned name takes it when its file
// is no longer at its current path but is at the planned one; otherwise it
// stays as it is. Each folder is listed once, so a name that only changed
// case is told apart by its spelling. Returns how many rows took their
// planned names.
std::size_t ApplyPlannedNames(FileTable& rows, const std::vector<std::u16string>& plannedNames, FileSystem& files);

// All eleven texts alike.
bool SameTexts(const FileRow& a, const FileRow& b);

// For each journal row, the index of a row among `candidates` (indices into
// `table`) with the same eleven texts and identity, or NoMatch; each candidate
// answers for one journal row at most, so a file listed twice is matched twice.
inline constexpr std::size_t NoMatch = static_cast<std::size_t>(-1);
std::vector<std::size_t> MatchJournalRows(const FileTable& journalRows, const FileTable& table,
                                          const std::vector<std::size_t>& candidates);

// True when every row is at its original name: nothing is left to undo.
bool AllAtOriginalNames(const FileTable& rows);

// Two names as the file system keeps them: trailing dots and blanks dropped,
// case kept (a change of case is a rename).
bool SameKeptName(std::u16string_view a, std::u16string_view b);

}  // namespace qm
