#pragma once
// The options on screen when a run starts, read from the window in one pass;
// the run, the prediction, the preview and the name function all take them.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/naming/find_replace.h"
#include "core/naming/name_list.h"
#include "core/rows/attribute_letters.h"
#include "core/text/name_case.h"
#include "core/timestamp/local_time.h"

namespace qm {

// One row of the extension table.
struct ExtensionMapping {
    bool checked = false;
    std::u16string from;
    std::u16string to;
    bool operator==(const ExtensionMapping&) const = default;
};

// A prefix or a suffix: its box's text and its boxes.
struct NamePiece {
    bool used = false;
    bool uppercase = false;
    bool lowercase = false;
    bool spacer = false;
    std::u16string text;
    // "Auto" with the source "Taken": not the box's text but each file's own
    // stamp, its date taken through the time format.
    bool takenStamp = false;
    // "Folder": not the box's text but the name of each file's own folder.
    bool folderName = false;
};

// The options on screen when a run starts.
struct RenameOptions {
    bool fileNames = false;
    bool extensions = false;
    bool setDates = false;
    bool setAttributes = false;
    NamePiece prefix;
    NamePiece suffix;
    std::u16string spacer;      // the spacer character
    std::u16string zerosText;   // the "Zeros" box
    std::u16string offsetText;  // the "Offset" box
    std::u16string timeFormat;  // for "Taken" stamps, made per file
    LocalOffset localOffset = 0;
    bool keepName = false;      // the old base name stays, after the prefix
    bool noNumber = false;      // no running number in the name
    std::u16string stepText;    // the "Step" box: from one number to the next
    bool perFolder = false;     // each folder's files count from the offset on their own
    FindReplace findReplace;    // acts on the kept name
    bool fromList = false;      // "From List": each row's name comes from the list, in place of the kept one
    std::shared_ptr<const NameList> nameList;  // as last read; null only before it was
    NameCase nameCase = NameCase::AsIs;        // "Case": the whole new base name, last
    CaseMapping caseMapping = nullptr;         // the platform's; A-Z and a-z alone without one
    bool extensionUppercase = false;
    bool extensionLowercase = false;
    std::vector<ExtensionMapping> extensionMap;
    bool setCreated = false;
    bool setModified = false;
    bool setAccessed = false;
    std::uint64_t fileTime = 0;                        // UTC, written into every file
    bool setTaken = false;  // "Taken": each file gets its own date taken instead; one without keeps its times
    std::uint32_t attributes = FileAttribute::Normal;  // given to every file
};

// The longest full path a run gives a file.
inline constexpr std::size_t MaximumNewPathUnits = 256;

}  // namespace qm
