#pragma once
// The running number of a run: from the offset on by the step, one count for
// all rows or, with "Per Folder", one for each folder, however its rows are
// spread over the list.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/naming/new_name.h"
#include "core/rows/file_table.h"

namespace qm {

class RunningNumbers {
public:
    explicit RunningNumbers(const NamePlan& plan);

    // The number that `row` takes now.
    std::uint32_t Of(const FileRow& row) { return Count(row); }
    // Moves the count that `row` belongs to on by the step.
    void Advance(const FileRow& row) { Count(row) += step_; }

private:
    std::uint32_t& Count(const FileRow& row);

    // The last folder looked up; a copy starts without it, as its pointer
    // would lead into the other's table.
    struct LastFolder {
        const std::u16string* text = nullptr;
        std::uint32_t* count = nullptr;
        LastFolder() = default;
        LastFolder(const LastFolder&) {}
        LastFolder& operator=(const LastFolder&) {
            text = nullptr;
            count = nullptr;
            return *this;
        }
    };

    std::uint32_t first_ = 0;
    std::uint32_t step_ = 1;
    bool perFolder_ = false;
    std::uint32_t shared_ = 0;
    std::unordered_map<std::u16string, std::uint32_t> folders_;  // keyed with A-Z folded, as paths match
    LastFolder last_;
};

// The number each of `rows` gets if no row fails, in run order.
std::vector<std::uint32_t> NumbersIfNoneFails(const FileTable& table, const std::vector<std::size_t>& rows,
                                              const NamePlan& plan);

}  // namespace qm
