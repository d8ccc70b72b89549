#pragma once
// The rename run: one pass over the taking-part rows that gives each file its
// new name, times and attributes and writes the results into its row.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/rows/attribute_letters.h"
#include "core/rows/file_table.h"
#include "core/rows/file_system.h"
#include "core/naming/rename_options.h"
#include "core/run/run_progress.h"
#include "core/run/run_record.h"
#include "core/timestamp/local_time.h"

namespace qm {

// How one taking-part row fared in a run.
enum class RunRowOutcome : std::uint8_t {
    Done,          // renamed, re-dated and re-attributed as asked
    NotOpened,     // held open by another program, missing or access denied
    NameTaken,     // another file holds the new name
    PathTooLong,   // the new path is longer than MaximumNewPathUnits
    MoveRefused,   // the platform refused the move for another reason
    MovedThisRun,  // the row names a file that this run has just moved there
    NotRecorded,   // the journal could not be written before the move: the run stopped
    NotFound,      // after a crash: the file is at neither its name nor the name the run meant to give it
    TwoFilesFit,   // after a crash: both names hold a file that fits the row, which is left alone
};

struct NameCheck;

// Renames, re-dates and re-attributes the files of `rows` (indices into
// `table`, top down) and updates their rows. Returns the number of rows that
// failed: a file that cannot be opened, or cannot take its new name, is left as
// it was, and the running number still moves past it. `outcomes`, when given,
// receives one outcome per entry of `rows` that the run reached: all of them
// unless `progress` asked it to stop, which it does between files. When "Find
// and replace" cannot make every name (a pattern that does not compile, or a
// match too complex), no file is touched, the result is -1 and `refused`, when
// given, says why. `record`, when given, is asked before every move whether it
// holds the new name, and is written again with the names to come when it does
// not; it is told of each file before it moves and of each row when it is
// done. Each file's identity in its row is taken again, with the creation time
// the run gave it, from the handle that the run opens.
int RunRename(FileTable& table, const std::vector<std::size_t>& rows, const RenameOptions& options,
              FileSystem& files, LocalOffset localOffset, RunProgress* progress = nullptr,
              std::vector<RunRowOutcome>* outcomes = nullptr, NameCheck* refused = nullptr,
              RunRecord* record = nullptr);

// The creation time a run with `options` gives each of `rows` (0: none):
// the picker's, or with "Taken" each file's own.
std::vector<std::uint64_t> CreationTimesGiven(const FileTable& table, const std::vector<std::size_t>& rows,
                                              const RenameOptions& options, LocalOffset localOffset);

// After a run with "Taken" for the file times: how many of the files it
// opened (every outcome but NotOpened and MovedThisRun) had no date taken and
// so kept their times.
std::size_t FilesWithoutDateTaken(const FileTable& table, const std::vector<std::size_t>& rows,
                                  const std::vector<RunRowOutcome>& outcomes);

// " 12 files have no date taken: their times were kept"
std::u16string KeptTimesText(std::size_t files);

}  // namespace qm
