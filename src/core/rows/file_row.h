#pragma once
// One row of the file list: names, folder, times and attributes. Times are kept
// as UTC file times and attributes as their bits, so that undo gives a file back
// the very times it had whatever time zone is in force by then; the column
// texts are made when they are asked for. Besides, a row knows its file's
// identity, which no column shows, and the date a photo or video was taken,
// which no run changes.
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

// A time a row does not know (a date of an old journal that does not read as
// one): its text is empty and undo leaves the file's time as it is.
inline constexpr std::uint64_t NoTime = ~std::uint64_t{0};

// The attributes a row keeps: the four shown bits, FileAttribute::Normal for none.
std::uint32_t KeptAttributes(std::uint32_t attributes);

// A row's date taken, packed: a DateTaken or none in 12 bytes, aligned to 4
// so that it shares eight bytes with the reading ticket that follows it.
class PackedDateTaken {
public:
    PackedDateTaken() = default;
    PackedDateTaken(const std::optional<DateTaken>& taken) { *this = taken; }
    PackedDateTaken& operator=(const std::optional<DateTaken>& taken) {
        flags_ = 0;
        if (!taken) return *this;
        low_ = static_cast<std::uint32_t>(taken->fileTime);
        high_ = static_cast<std::uint32_t>(taken->fileTime >> 32);
        zoneMinutes_ = taken->clockZoneMinutes.value_or(0);
        flags_ = Present | (taken->hasZone ? HasZone : 0) | (taken->clockZoneMinutes ? HasClock : 0);
        return *this;
    }
    bool has_value() const { return flags_ & Present; }
    explicit operator bool() const { return has_value(); }
    DateTaken operator*() const {
        DateTaken taken;
        taken.fileTime = std::uint64_t{high_} << 32 | low_;
        taken.hasZone = (flags_ & HasZone) != 0;
        if (flags_ & HasClock) taken.clockZoneMinutes = zoneMinutes_;
        return taken;
    }

private:
    enum : std::uint8_t { Present = 1, HasZone = 2, HasClock = 4 };
    std::uint32_t low_ = 0, high_ = 0;
    std::int16_t zoneMinutes_ = 0;
    std::uint8_t flags_ = 0;
};

struct FileRow {
    std::u16string name;
    std::uint64_t created = NoTime, modified = NoTime, accessed = NoTime;
    FolderText folder;
    std::u16string originalName;
    std::uint64_t originallyCreated = NoTime, originallyModified = NoTime, originallyAccessed = NoTime;
    std::uint32_t attributes = FileAttribute::Normal, originalAttributes = FileAttribute::Normal;
    FileIdentity identity;  // taken when the row was added; undo moves only this file
    // Read from the file's own bytes after the row was added; none when it has none.
    PackedDateTaken taken;
    // While the date is still to be read: TakenUnread, then the ticket under
    // which DateTakenReading reads it; 0 once read, or with none to read.
    std::uint32_t takenTicket = 0;

    std::u16string_view folderText() const { return folder ? std::u16string_view(*folder) : std::u16string_view(); }
};

class FileTable;  // file_table.h

// A column's text: a view of the row's own name or folder, or a date or the
// attribute letters made for the asking. Valid while the row is unchanged.
class CellText {
public:
    CellText() = default;
    CellText(std::u16string_view shown) : shown_(shown) {}
    CellText(const ListDateText& made) : made_(made), isMade_(true) {}
    std::u16string_view view() const { return isMade_ ? made_.view() : shown_; }
    operator std::u16string_view() const { return view(); }
    bool operator==(const CellText& other) const { return view() == other.view(); }
    bool operator==(std::u16string_view other) const { return view() == other; }

private:
    std::u16string_view shown_;
    ListDateText made_;
    bool isMade_ = false;
};

// The text that column `column` (0 to 10, or Taken) shows, its dates local
// time with `localOffset`; empty for any other column.
CellText ColumnText(const FileRow& row, int column, LocalOffset localOffset);

// The row's time that a column of a file time shows (Created to Accessed and
// their originals); null for any other column.
const std::uint64_t* ColumnTime(const FileRow& row, int column);

// A time of a row as the list shows it: empty for NoTime.
ListDateText RowDateText(std::uint64_t instant, LocalOffset localOffset);

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
