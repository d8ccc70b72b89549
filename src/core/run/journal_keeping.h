#pragma once
// Keeping the run journal true around a run and an undo, wherever it is kept:
// the program keeps it in a file beside its settings, tests in memory.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/naming/rename_options.h"
#include "core/rows/file_system.h"
#include "core/run/journal_rows.h"
#include "core/run/rename_run.h"
#include "core/run/run_journal.h"
#include "core/run/run_record.h"

namespace qm {

class JournalStore {
public:
    virtual ~JournalStore() = default;
    enum class Found { Read, Missing, Unreadable };
    virtual Found Read(std::vector<std::uint8_t>& bytes) = 0;
    // The journal read into rows; a store that can hands it on a block at a
    // time rather than whole.
    virtual Found ReadJournal(JournalReading& reading, LocalOffset localOffset);
    // Each replaces the journal whole, or leaves it as it was and is false.
    virtual bool Write(const JournalHeader& header, std::span<const JournalEntry> entries) = 0;
    virtual bool WriteBytes(std::span<const std::uint8_t> bytes) = 0;
    virtual bool Remove() = 0;
    // Adds a line to the end of the journal last written, without flushing
    // it: a process that is killed loses nothing it has written.
    virtual bool Append(std::string_view line) = 0;
};

// One run's journal: written before the first file moves, again whenever the
// run is about to give a name it does not hold, and when the run has ended;
// meanwhile each step of the run is appended to it.
class RunJournalKeeper : public RunRecord {
public:
    // `plannedNames`: per entry of `rows`, the name its move will try
    // (PlannedNamesOfRun); `createdGiven`: per entry, the creation time the
    // run writes, 0 when it writes none (CreationTimesGiven).
    RunJournalKeeper(JournalStore& store, std::vector<std::size_t> rows,
                     std::vector<std::u16string> plannedNames, std::uint64_t startedAt,
                     std::vector<std::uint64_t> createdGiven);
    // Keeps the journal there is, then writes this run's. False when it cannot
    // be written: the run must not start.
    bool Begin(const FileTable& table);
    // The rows the run reached (one per outcome) as they now stand; a run
    // that changed no name, time or attribute of any file puts the journal
    // back as it was before.
    void Finish(const FileTable& table, const std::vector<RunRowOutcome>& outcomes);

    std::u16string_view PlannedName(std::size_t slot) const override;
    bool Replan(std::size_t slot, std::span<const std::u16string> names, const FileTable& table) override;
    bool Reached(std::size_t slot, const FileIdentity& identity) override;
    bool Finished(std::size_t slot, bool moved, bool changed, const FileIdentity& identity) override;
    bool Aside(std::size_t slot, std::u16string_view name, bool there) override;

private:
    bool Write(const FileTable& table);
    std::size_t LineOf(std::size_t slot) const;

    JournalStore& store_;
    std::vector<std::size_t> rows_;
    std::vector<std::size_t> lineOf_;  // per slot: its row line in the journal, or NoMatch
    std::vector<std::u16string> planned_;
    std::vector<std::uint64_t> createdGiven_;
    JournalHeader header_;
    JournalStore::Found before_ = JournalStore::Found::Missing;
    std::vector<std::uint8_t> beforeBytes_;
    bool changed_ = false;  // some file's name, times or attributes changed
};

// One undo's journal: the rows of the list that are rows of the journal are
// marked as under way with their original names as the names to come, and
// each step of the undo is appended; after the undo the journal holds them as
// they now stand, and goes when every row of it is restored. Its slots are
// the rows of the list.
class UndoJournalKeeper : public MoveRecord {
public:
    UndoJournalKeeper(JournalStore& store, const FileTable& table, const std::vector<std::size_t>& rows,
                      LocalOffset localOffset);
    // Marks the journal as under way; false when that cannot be written: the
    // undo must not start. True when the journal has no row of the list.
    bool Begin();
    void Finish(const FileTable& table);
    // What the undo keeps its journal told of; none when it has no row of the list.
    MoveRecord* record() { return store_ ? this : nullptr; }

    bool Reached(std::size_t slot, const FileIdentity& identity) override;
    bool Finished(std::size_t slot, bool moved, bool changed, const FileIdentity& identity) override;
    bool Aside(std::size_t slot, std::u16string_view name, bool there) override;

private:
    bool Write(bool underWay, bool planOriginalNames) const;
    std::size_t LineOf(std::size_t slot) const;

    JournalStore* store_ = nullptr;  // none: nothing of ours to keep up to date
    JournalReading journal_;
    std::vector<std::size_t> matches_;  // per journal row: its row in the list, or NoMatch
    std::unordered_map<std::size_t, std::size_t> journalRowOf_;  // row of the list to journal row
};

// The journal as it is kept: not found, unreadable, or read (with a problem
// when its bytes are not a journal this program can follow).
struct StoredJournal {
    JournalStore::Found found = JournalStore::Found::Missing;
    JournalReading reading;
};
// Dates of journals before version 4, kept as local texts, read with `localOffset`.
StoredJournal ReadStoredJournal(JournalStore& store, LocalOffset localOffset);

// The rows of a run or an undo that never ended, brought up to date with the
// disk (RecoverInterruptedRows); the journal is written again as ended with
// them, so that "^" undoes them.
RecoveredRows RecoverInterruptedRun(JournalStore& store, JournalReading& journal, FileSystem& files);

}  // namespace qm
