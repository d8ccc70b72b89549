#pragma once
// The journal of the last rename run: the rows that took part, with all eleven
// texts and their files' identities, kept in a file so that the run can be
// undone after the window has closed or the program has died half-way.
//
// The file is UTF-8 text, one record a line, each line ended by CR LF:
//   Quillmoth run journal 3
//   under way|ended  <US>  UTC file time of the run  <US>  number of rows
//   one line per row: its eleven column texts in column order, the name the
//   row is about to get (empty when there is none), its file's identity,
//   then the creation time the run gives the file (empty: none):
//     F:volume:id:created        (16 and 32 hexadecimal digits, a decimal number)
//     I:volume:index:created     (8 and 16 hexadecimal digits, a decimal number)
//     S:volume:size:created      (8 hexadecimal digits, two decimal numbers)
//     U                          (two files fitted the row after a crash: left alone)
//     empty                      (not known)
//   then, while a run or an undo is under way, one line for each step that
//   it has taken, appended as it goes (row: 1 for the first row line):
//     reached <US> row <US> identity   its file, times written, is about to be moved
//     moved <US> row <US> identity     it took its planned name
//     kept <US> row <US> identity      it is done, or waits, at its name
//     aside <US> row <US> name         it is about to move to a temporary name
//                                      (one move of a cycle of names goes through one)
//     at <US> row <US> name            it is at that name now
//   A last step line without its end was cut by a kill and does not count.
// <US> is U+001F, which no file name, folder or list text can hold. Names
// that are not valid UTF-16 (a lone surrogate) are kept unit for unit.
// Journals of version 2 (identities without creation times, and one creation
// time for the whole run at the end of the second line) and of version 1
// (rows end with the planned name; no identities) are still read.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/rows/file_table.h"

namespace qm {

inline constexpr std::string_view JournalFormatName = "Quillmoth run journal";
inline constexpr int JournalVersion = 4;
inline constexpr char JournalFieldSeparator = '\x1F';
inline constexpr std::size_t JournalRowFields = FileColumn::Count + 3;

// One row to write: the row as it stands, the name it is about to get and
// the creation time the run gives its file (0: none).
struct JournalEntry {
    const FileRow* row = nullptr;
    std::u16string_view plannedName;
    std::uint64_t createdGiven = 0;
};

struct JournalHeader {
    bool underWay = false;        // a run (or an undo) has begun and not ended
    std::uint64_t startedAt = 0;  // UTC file time of the run
};

// One step of a run or an undo, appended to the journal as it is taken.
enum class JournalStep : std::uint8_t { Reached, Moved, Kept, Aside, At };
// "reached" (or "moved", "kept"), the row's number and its file's identity, with the line's end.
std::string FormatJournalStep(JournalStep step, std::size_t row, const FileIdentity& identity);
// "aside" or "at", the row's number and the temporary name, with the line's end.
std::string FormatJournalStep(JournalStep step, std::size_t row, std::u16string_view name);

// How far the run or undo got with a row, from its steps.
enum class RowProgress : std::uint8_t {
    NotReached,  // no step: as the row says
    InHand,      // reached, not finished: only its file's identity tells where it is
    Moved,
    Kept,
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
    BadStep,         // a step of the run that is not understood, or names no row
};

struct JournalReading {
    JournalProblem problem = JournalProblem::None;
    std::size_t line = 0;  // 1-based line of the problem
    int version = JournalVersion;
    JournalHeader header;
    FileTable rows;                          // empty whenever there is a problem; identities as the last step left them
    std::vector<std::u16string> plannedNames;  // one per row
    std::vector<std::uint64_t> createdGiven;   // one per row
    std::vector<RowProgress> progress;         // one per row
    // One per row: the temporary name its file was about to take when the
    // run or undo was cut short (with InHand), empty otherwise.
    std::vector<std::u16string> asideNames;
};

// Versions 1 to 3 kept dates as local texts: they are read with `localOffset`.
JournalReading ReadRunJournal(std::span<const std::uint8_t> bytes, LocalOffset localOffset);
// The same read line by line from `source`, which fills up to `room` bytes
// at `into` and gives how many, 0 at the end: only a block of the file is
// held at a time. `sizeHint`, the file's size, bounds the room made for rows.
using JournalByteSource = std::function<std::size_t(char* into, std::size_t room)>;
JournalReading ReadRunJournal(const JournalByteSource& source, std::size_t sizeHint, LocalOffset localOffset);

// The problem in a few plain words, such as "line 5 is cut short".
std::u16string JournalProblemText(const JournalReading& reading);

}  // namespace qm
