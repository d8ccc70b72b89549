#include "core/naming/running_number.h"

#include "core/text/name_text.h"

namespace qm {

RunningNumbers::RunningNumbers(const NamePlan& plan)
    : first_(plan.firstNumber), step_(plan.step), perFolder_(plan.perFolder), shared_(plan.firstNumber) {}

std::uint32_t& RunningNumbers::Count(const FileRow& row) {
    if (!perFolder_) return shared_;
    // Rows added together share their folder text: most rows need no look-up.
    if (last_.count && row.folder && row.folder.get() == last_.text) return *last_.count;
    std::u16string key(row.folderText());
    ToAsciiLower(key);
    std::uint32_t& count = folders_.try_emplace(std::move(key), first_).first->second;
    last_.text = row.folder.get();
    last_.count = row.folder ? &count : nullptr;
    return count;
}

std::vector<std::uint32_t> NumbersIfNoneFails(const FileTable& table, const std::vector<std::size_t>& rows,
                                              const NamePlan& plan) {
    RunningNumbers numbers(plan);
    std::vector<std::uint32_t> out;
    out.reserve(rows.size());
    for (const std::size_t index : rows) {
        if (index >= table.size()) {
            out.push_back(plan.firstNumber);
            continue;
        }
        out.push_back(numbers.Of(table[index]));
        numbers.Advance(table[index]);
    }
    return out;
}

}  // namespace qm
