#pragma once
// Undo: every taking-part file goes back to the name, times and attributes its
// row kept in the "Original" columns when it was added.
#include <cstddef>
#include <string>
#include <vector>

#include "core/rows/file_table.h"
#include "core/rows/file_system.h"
#include "core/run/run_progress.h"
#include "core/timestamp/local_time.h"

namespace qm {

// What an undo could not do.
struct UndoReport {
    std::size_t notRestored = 0;  // taking-part rows left as they were
    std::size_t skipped = 0;      // files that could not be opened or moved (held open, gone): the next undo retries them
    std::u16string firstSkipped;  // the first of them; empty when none
    std::u16string notTheFile;    // the first file at a row's name that is not the row's file; empty when none
    bool stopRequested = false;   // the user stopped it: the rows not reached are as they were
};

// Restores the files of `rows` (indices into `table`, top down). Only a
// row's own file is moved and written to: a regular file with the identity
// and creation time the row holds (see FileIdentity); when the file at the
// row's name is another, or a folder, a link or a file whose identity cannot
// be read, the row is left alone (and tried once more at the end). Times and
// attributes are never written into another file that has taken a row's
// original name meanwhile. A file that cannot be opened or moved (held open,
// gone) is skipped and the undo carries on: one held file keeps no other
// under the name the run gave it; the next undo tries it again. A row whose
// original name another file holds is tried again once that name has been
// freed by the same undo, so one undo gives back what a second one would;
// rows whose original names are held by one another's files (a swap, a
// cycle) go back through one temporary name. A stop asked through `progress`
// takes effect between files; the next undo restores what it left.
// `record`, when given, is told of each file before it moves back and after
// its row is done (its slots are indices into `table`); when it cannot be,
// the undo ends there.
class MoveRecord;
UndoReport UndoRename(FileTable& table, const std::vector<std::size_t>& rows, FileSystem& files,
                      RunProgress* progress = nullptr, MoveRecord* record = nullptr);

}  // namespace qm
