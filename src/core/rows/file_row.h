#pragma once
// One row of the file list: eleven column texts. Times and attributes are kept
// only as their texts (list dates and attribute letters); undo reads them back.
// Besides the texts, a row knows its file's identity, which no column shows,
// and the date a photo or video was taken, which no run changes.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/photo/date_taken.h"
#include "core/rows/attribute_letters.h"
#include "core/rows/file_identity.h"
#include "core/timestamp/list_date.h"

namespace qm {

namespace FileColumn {
inline constexpr int Name = 0;
inline constexpr int Created = 1;
inline constexpr int Modified = 2;
inline constexpr int Accessed = 3;
inline constexpr int Folder = 4;
inline constexpr int Attributes = 5;
inline constexpr int OriginalName = 6;
inline constexpr int OriginallyCreated = 7;
inline constexpr int OriginallyModified = 8;
inline constexpr int OriginallyAccessed = 9;
inline constexpr int OriginalAttributes = 10;
inline constexpr int Count = 11;
// Not one of the eleven that undo and the journal keep; 11 is the window's
// "New Name", which no row holds.
inline constexpr int Taken = 12;
}  // namespace FileColumn

// FileRow::takenTicket of a row just added whose file may carry a date taken.
inline constexpr std::uint32_t TakenUnread = 0xFFFFFFFF;

// Rows added together share their folder text, which never changes.
using FolderText = std::shared_ptr<const std::u16string>;

struct FileRow {
    std::u16string name;
    ListDateText created, modified, accessed;
    FolderText folder;
    AttributeLetters attributes;
    std::u16string originalName;
    ListDateText originallyCreated, originallyModified, originallyAccessed;
    AttributeLetters originalAttributes;
    FileIdentity identity;  // taken when the row was added; undo moves only this file
    // Read from the file's own bytes after the row was added; none when it has
    // none. The text is the date as the list shows dates, empty without one.
    std::optional<DateTaken> taken;
    ListDateText takenText;
    // While the date is still to be read: TakenUnread, then the ticket under
    // which DateTakenReading reads it; 0 once read, or with none to read.
    std::uint32_t takenTicket = 0;

    std::u16string_view folderText() const { return folder ? std::u16string_view(*folder) : std::u16string_view(); }
};

// The file list's rows in display order, which is the order of numbering.
using FileTable = std::vector<FileRow>;

// The text that column `column` (0 to 10, or Taken) shows; empty for any other column.
std::u16string_view ColumnText(const FileRow& row, int column);

// Folder, "\" and name.
std::u16string JoinPath(std::u16string_view folder, std::u16string_view name);
// The name of the folder itself, its last component: "Alps" for
// "D:\Photos\Alps"; at a drive's root the drive letter, "D" for "D:".
std::u16string_view FolderName(std::u16string_view folder);
inline std::u16string CurrentPath(const FileRow& row) { return JoinPath(row.folderText(), row.name); }
inline std::u16string OriginalPath(const FileRow& row) { return JoinPath(row.folderText(), row.originalName); }

// The UTC instant of the row's date taken (one without a zone is local time
// with `localOffset`); none when the row has none.
std::optional<std::uint64_t> TakenInstant(const FileRow& row, LocalOffset localOffset);

// The order of the rows by their date taken, earliest first, the rows without
// one last; equal dates keep their order. Element r is the index of the row
// that goes to place r.
std::vector<std::size_t> OrderByDateTaken(const FileTable& table, LocalOffset localOffset);

// The rows that take part in a run: the selected ones when any is selected,
// otherwise all of them, in display order.
std::vector<std::size_t> TakingPartRows(std::size_t rowCount, std::vector<std::size_t> selected);

}  // namespace qm
