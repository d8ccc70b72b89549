#pragma once
// The rename run: one pass over the taking-part rows that gives each file its
// new name, times and attributes and writes the results into its row.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/rows/attribute_letters.h"
#include "core/rows/file_row.h"
#include "core/rows/file_system.h"
#include "core/naming/find_replace.h"
#include "core/run/run_progress.h"
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
    bool keepName = false;      // the old base name stays, after the prefix
    bool noNumber = false;      // no running number in the name
    FindReplace findReplace;    // acts on the kept name
    bool extensionUppercase = false;
    bool extensionLowercase = false;
    std::vector<ExtensionMapping> extensionMap;
    bool setCreated = false;
    bool setModified = false;
    bool setAccessed = false;
    std::uint64_t fileTime = 0;                        // UTC, written into every file
    std::uint32_t attributes = FileAttribute::Normal;  // given to every file
};

// The longest full path a run gives a file.
inline constexpr std::size_t MaximumNewPathUnits = 256;

// Prefix, spacer, suffix, spacer (each where enabled and not empty), case
// applied, then cleaned: what every new name starts with.
std::u16string BuildNamePart(const RenameOptions& options);

// The extension after the ticked rows of the table have been applied in order,
// each to the result of the ones before.
std::u16string MapExtension(std::u16string_view extension, const std::vector<ExtensionMapping>& map);

// How one taking-part row fared in a run.
enum class RunRowOutcome : std::uint8_t {
    Done,          // renamed, re-dated and re-attributed as asked
    NotOpened,     // held open by another program, missing or access denied
    NameTaken,     // another file holds the new name
    PathTooLong,   // the new path is longer than MaximumNewPathUnits
    MoveRefused,   // the platform refused the move for another reason
    MovedThisRun,  // the row names a file that this run has just moved there
};

struct NameCheck;

// Renames, re-dates and re-attributes the files of `rows` (indices into
// `table`, top down) and updates their rows. Returns the number of rows that
// failed: a file that cannot be opened, or cannot take its new name, is left as
// it was, and the running number still moves past it. `outcomes`, when given,
// receives one outcome per entry of `rows`. When "Find and replace" cannot make
// every name (a pattern that does not compile, or a match too complex), no file
// is touched, the result is -1 and `refused`, when given, says why.
int RunRename(FileTable& table, const std::vector<std::size_t>& rows, const RenameOptions& options,
              FileSystem& files, LocalOffset localOffset, RunProgress* progress = nullptr,
              std::vector<RunRowOutcome>* outcomes = nullptr, NameCheck* refused = nullptr);

}  // namespace qm
