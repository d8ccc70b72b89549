#include "core/run/names_of_run_check.h"

#include <algorithm>
#include <string_view>

namespace qm {

namespace {

// Small enough that the count moves and a stop is taken at once even when
// every name costs the pattern's whole budget.
constexpr std::size_t SliceNames = 64;

}  // namespace

NameCheck CheckNamesOfRun(const FileTable& table, const std::vector<std::size_t>& rows, const NamePlan& plan,
                          RunProgress* progress) {
    if (rows.empty()) return CheckNames(plan, {});  // a pattern that does not compile is named all the same
    std::vector<std::u16string_view> names;
    for (std::size_t first = 0; first < rows.size(); first += SliceNames) {
        if (progress) {
            progress->Advance(first, rows.size());
            if (progress->StopRequested()) return {};
        }
        names.clear();
        for (std::size_t i = first; i < std::min(rows.size(), first + SliceNames); ++i)
            if (rows[i] < table.size()) names.push_back(table[rows[i]].name);
        NameCheck check = CheckNames(plan, names);
        if (check.problem != NameProblem::None) return check;
    }
    if (progress) progress->Advance(rows.size(), rows.size());
    return {};
}

}  // namespace qm
