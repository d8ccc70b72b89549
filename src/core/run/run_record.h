#pragma once
// What a rename run keeps its record (the journal) told of: before every move
// the record must hold the name the file is about to take, so that a run
// killed at any moment can be followed. Called on the run's own thread, from
// inside the run; an implementation touches no window.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "core/rows/file_row.h"

namespace qm {

class RunRecord {
public:
    virtual ~RunRecord() = default;
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
