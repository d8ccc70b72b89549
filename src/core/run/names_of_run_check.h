#pragma once
// Before a run touches anything: whether "Find and replace" can make the new
// name of every taking-part row. With a slow pattern and many rows that takes
// long, so it goes a slice of names at a time, telling how far it has come
// and stopping when asked, as the run itself does.
#include <cstddef>
#include <vector>

#include "core/naming/new_name.h"
#include "core/rows/file_table.h"
#include "core/run/run_progress.h"

namespace qm {

// The first problem among the names of `rows` (indices into `table`), or none.
// `progress`, when given, is told the names tried and asked between slices
// whether to stop; a stop ends the check with no problem found, and the
// caller learns of it from its progress.
NameCheck CheckNamesOfRun(const FileTable& table, const std::vector<std::size_t>& rows, const NamePlan& plan,
                          RunProgress* progress = nullptr);

}  // namespace qm
