#pragma once
// The journal of the last rename run: the rows that took part, with all eleven
// texts and their files' identities, kept in a file so that the run can be
// undone after the window has closed or the program has died half-way.
//
// The file is UTF-8 text, one record a line, each line ended by CR LF:
//   Quillmoth run journal 2
//   under way|ended  <US>  UTC file time of the run  <US>  number of rows  <US>
//     the creation time the run writes into every file (0: none)
//   one line per row: its eleven column texts in column order, the name the
//   row is about to get (empty when there is none), then its file's identity:
//     I:volume:index             (8 and 16 hexadecimal digits)
//     S:volume:size:created      (8 hexadecimal digits, two decimal numbers)
//     empty                      (not known)
// <US> is U+001F, which no file name, folder or list text can hold. Names
// that are not valid UTF-16 (a lone surrogate) are kept unit for unit. A
// journal of version 1, whose rows end with the planned name and whose second
// line ends with the number of rows, is still read; its rows' identities are
// not known.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/rows/file_row.h"

namespace qm {

inline constexpr std::string_view JournalFormatName = "Quillmoth run journal";
inline constexpr int JournalVersion = 2;
inline constexpr char JournalFieldSeparator = '\x1F';
inline constexpr std::size_t JournalRowFields = FileColumn::Count + 2;

// One row to write: the row as it stands and the name it is about to get.
struct JournalEntry {
    const FileRow* row = nullptr;
    std::u16string_view plannedName;
};

struct JournalHeader {
    bool underWay = false;        // a run (or an undo) has begun and not ended
    std::uint64_t startedAt = 0;  // UTC file time of the run
    std::uint64_t createdSet = 0;  // the creation time the run gives every file; 0 when it gives none
};

// The journal's text, whole.
std::string FormatRunJournal(const JournalHeader& header, std::span<const JournalEntry> entries);

// The same text handed to `write` in pieces of about `pieceBytes`, in order,
// so that a large journal is never held whole. False as soon as `write` is.
using JournalPieceWriter = std::function<bool(std::string_view piece)>;
bool FormatRunJournal(const JournalHeader& header, std::span<const JournalEntry> entries,
                      const JournalPieceWriter& write, std::size_t pieceBytes = std::size_t{1} << 20);

enum class JournalProblem {
    None,
    NotAJournal,     // the first line does not name the format
    UnknownVersion,  // the format, but a version this program does not read
    BadHeader,       // the second line is not understood
    CutShort,        // a line without its end
    TooFewFields,
    TooManyFields,
    BadText,         // a text that no file or list can hold
    NotAName,        // a name that no run could have given: empty, "." or "..", or with a separator
    NotAFolder,      // a folder that is not a full path (a drive or a share)
    MissingRows,     // fewer rows than the second line announces
};

struct JournalReading {
    JournalProblem problem = JournalProblem::None;
    std::size_t line = 0;  // 1-based line of the problem
    int version = JournalVersion;
    JournalHeader header;
    FileTable rows;                          // empty whenever there is a problem
    std::vector<std::u16string> plannedNames;  // one per row
};

JournalReading ReadRunJournal(std::span<const std::uint8_t> bytes);

// The problem in a few plain words, such as "line 5 is cut short".
std::u16string JournalProblemText(const JournalReading& reading);

}  // namespace qm
