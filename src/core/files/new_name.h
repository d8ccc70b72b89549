#pragma once
// The one place where a new file name is made. The rename run, the preview
// column and the status line all ask it, so they can never disagree.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/rename_run.h"

namespace qm {

// What every name of one run shares, worked out once from the options.
struct NamePlan {
    bool fileNames = false;
    bool extensions = false;
    std::u16string namePart;  // prefix, suffix and spacers, cleaned
    std::size_t numberWidth = 0;
    std::uint32_t firstNumber = 0;
    std::vector<ExtensionMapping> map;  // the ticked rows, their "To" texts cleaned
    bool extensionUppercase = false;
    bool extensionLowercase = false;

    bool operator==(const NamePlan&) const = default;

    // Whether the run changes names at all.
    bool renames() const { return fileNames || extensions; }
};

NamePlan PlanNames(const RenameOptions& options);

// The name that the run gives the file now called `currentName` when the
// running number has reached `number` (it starts at `firstNumber`; the run
// moves it on past every row except one whose move failed, so the next row
// tries the same number). `currentName` itself when the run changes no names.
std::u16string NewName(const NamePlan& plan, std::u16string_view currentName, std::uint32_t number);

}  // namespace qm
