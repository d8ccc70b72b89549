#pragma once
// What a rename run or an undo keeps its record (the journal) told of, so
// that one killed at any moment can be followed: before a file moves, which
// file it is now; after, whether it moved. A run also makes sure the record
// holds the name the file is about to take. Called on the thread of the run,
// from inside it; an implementation touches no window.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "core/rows/file_identity.h"
#include "core/rows/file_table.h"

namespace qm {

class MoveRecord {
public:
    virtual ~MoveRecord() = default;
    // The file of the row at `slot` is `identity` (its times written), and
    // is about to take its new name. False when that cannot be recorded: the
    // file must not move.
    virtual bool Reached(std::size_t slot, const FileIdentity& identity) = 0;
    // The row at `slot` is done: its file took its new name (`moved`) or kept
    // its name; `changed` when any name, time or attribute of the file is
    // other than before. False when that cannot be recorded: no further file
    // may move.
    virtual bool Finished(std::size_t slot, bool moved, bool changed, const FileIdentity& identity) = 0;
    // The file of the row at `slot` is about to move to the temporary name
    // `name` in its folder (`there` false), or is there now (`there` true).
    // False when that cannot be recorded: the file must not move.
    virtual bool Aside(std::size_t slot, std::u16string_view name, bool there) = 0;
};

class RunRecord : public MoveRecord {
public:
    // The name the record holds for the row at `slot` of the run (empty: none).
    virtual std::u16string_view PlannedName(std::size_t slot) const = 0;
    // The run will give other names than the record holds, from `slot` on
    // (`names`: one per slot from there to the end of the run; empty where no
    // move is foreseen). The record is written again with them, its rows
    // before `slot` as `table` holds them now. False when it cannot be: the
    // run then moves no further file.
    virtual bool Replan(std::size_t slot, std::span<const std::u16string> names, const FileTable& table) = 0;
};

}  // namespace qm
