#pragma once
// The one place where a new file name is made. The rename run, the preview
// column and the status line all ask it, so they can never disagree.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/naming/find_replace.h"
#include "core/naming/rename_options.h"
#include "core/rows/file_row.h"

namespace qm {

// What every name of one run shares, worked out once from the options.
struct NamePlan {
    bool fileNames = false;
    bool extensions = false;
    // The prefix and the suffix as typed and cased (empty when not used), and
    // whether each is followed by its spacer.
    bool keepName = false;
    std::u16string prefix, suffix, spacer;
    bool prefixSpacer = false, suffixSpacer = false;
    bool noNumber = false;
    std::shared_ptr<const NameReplacer> replacer;  // compiled once; null without "Keep Name" or "From List"
    // "From List": the row at place k of the run takes the list's name
    // `listOffset` + k in place of its kept name; null without.
    std::shared_ptr<const NameList> list;
    std::size_t listOffset = 0;
    NameCase nameCase = NameCase::AsIs;
    CaseMapping caseMapping = nullptr;
    std::size_t numberWidth = 0;
    std::uint32_t firstNumber = 0;
    std::uint32_t step = 1;   // from one number to the next
    bool perFolder = false;   // each folder counts on its own (RunningNumbers)
    std::vector<ExtensionMapping> map;  // the ticked rows, their "To" texts cleaned
    bool extensionUppercase = false;
    bool extensionLowercase = false;
    // An automatic prefix or suffix with the source "Taken" is each row's own
    // stamp (TakenStamp), cased as typed text is; its text above stays empty.
    struct StampPiece {
        bool taken = false, uppercase = false, lowercase = false;
        bool operator==(const StampPiece&) const = default;
    };
    StampPiece prefixStamp, suffixStamp;
    std::u16string timeFormat;  // these two only with a stamp piece
    LocalOffset localOffset = 0;
    // A prefix or suffix that is the name of each row's own folder, cased as
    // typed text is; it stands instead of the box's text or a stamp.
    struct FolderPiece {
        bool used = false, uppercase = false, lowercase = false;
        bool operator==(const FolderPiece&) const = default;
    };
    FolderPiece prefixFolder, suffixFolder;

    bool operator==(const NamePlan&) const = default;

    bool takesStamps() const { return prefixStamp.taken || suffixStamp.taken; }
    bool takesFolders() const { return prefixFolder.used || suffixFolder.used; }

    // Whether the run changes names at all.
    bool renames() const { return fileNames || extensions; }
    // A pattern that does not compile: no name can be made.
    NameProblem problem() const { return replacer ? replacer->problem() : NameProblem::None; }
};

NamePlan PlanNames(const RenameOptions& options);

// The extension after the ticked rows of the table have been applied in order,
// each to the result of the ones before.
std::u16string MapExtension(std::u16string_view extension, const std::vector<ExtensionMapping>& map);

// The name that the list gives the row at `slot` of the run (its place among
// the rows that take part); null when the list holds none for it.
const std::u16string* ListedName(const NamePlan& plan, std::size_t slot);

// The name that the run gives the file now called `currentName` when the
// running number has reached `number` (it starts at `firstNumber`; the run
// moves it on past every row except one whose move failed, so the next row
// tries the same number). `currentName` itself when the run changes no names.
// A match that grows too complex leaves the kept name unreplaced and is
// reported through `problem` (with the name in `problemText`). A plan with a
// list gives the list's first name here; the rows of a run take theirs
// through NewNameOfRow.
std::u16string NewName(const NamePlan& plan, std::u16string_view currentName, std::uint32_t number,
                       NameProblem* problem = nullptr, std::u16string* problemText = nullptr);

// The stamp of a "Taken" prefix or suffix for `row`: its date taken through
// the time format; for a row without one, its modified time as the list shows
// it. Empty when it has neither.
std::u16string TakenStamp(const NamePlan& plan, const FileRow& row);

// NewName of a row of the table, which gives a "Taken" piece its own stamp.
// `currentName` is the row's name, or the one a run has just given it; `slot`
// its place among the rows that take part, which pairs it with the list. A
// row that the list has no name for keeps its name.
std::u16string NewNameOfRow(const NamePlan& plan, const FileRow& row, std::u16string_view currentName,
                            std::uint32_t number, std::size_t slot);

// What a name takes from its row besides the old name: the "Taken" stamp
// and the name of its folder.
struct RowTexts {
    std::u16string_view stamp;
    std::u16string_view folder;
};

// The new base name alone, from the old base name (no extension on either
// side), or with a list from the row's listed name; `row` gives the "Taken"
// and "Folder" pieces.
std::u16string NewBaseName(const NamePlan& plan, std::u16string_view oldBase, std::uint32_t number,
                           const RowTexts& row, NameProblem* problem = nullptr,
                           std::u16string* problemText = nullptr);

// The first problem that would stop a run over these names (those of the
// rows that take part, in run order), with its message; None when every name
// can be made. A list with a faulty line, or with fewer names than rows, stops it.
struct NameCheck {
    NameProblem problem = NameProblem::None;
    std::u16string message;
};
NameCheck CheckNames(const NamePlan& plan, const std::vector<std::u16string_view>& currentNames);

}  // namespace qm
