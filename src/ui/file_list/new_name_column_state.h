#pragma once
// What the "New Name" column keeps between refreshes: the folder listings, the
// taking-part rows, the last full prediction and the marks of the last run.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/naming/new_name.h"
#include "core/run/run_prediction.h"

namespace qm {

struct NewNameColumnState {
    FolderListings listings;
    bool listingsRead = false;
    RenameOptions options;  // as last read from the window
    NamePlan plan;
    bool planRead = false;
    std::vector<std::size_t> rows;          // taking part, in run order
    std::vector<std::uint32_t> slotOfRow;   // per table row: its place in `rows`, or NameIndex::None
    bool rowsCurrent = false;
    std::vector<PredictedRow> predicted;    // per entry of `rows`, from the last full pass
    bool predictionCurrent = false;
    std::size_t clashes = 0;
    std::vector<RunRowOutcome> runMarks;    // per table row after a run; Done: no mark
    bool runMarksFresh = false;             // set by the run that made them, until the next change is followed
    bool rowsPosted = false;                // a selection change waits in the queue
    std::vector<std::uint32_t> numbers;     // per entry of `rows`: its number if no row fails, until the pass
    std::wstring shownHeading;              // the heading's text now; empty before the first pass
};

}  // namespace qm
