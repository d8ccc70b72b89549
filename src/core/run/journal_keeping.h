#pragma once
// Keeping the run journal true around a run and an undo, wherever it is kept:
// the program keeps it in a file beside its settings, tests in memory.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
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
    // Each replaces the journal whole, or leaves it as it was and is false.
    virtual bool Write(const JournalHeader& header, std::span<const JournalEntry> entries) = 0;
    virtual bool WriteBytes(std::span<const std::uint8_t> bytes) = 0;
    virtual bool Remove() = 0;
};

// One run's journal: written before the first file moves, again whenever the
// run is about to give a name it does not hold, and when the run has ended.
class RunJournalKeeper : public RunRecord {
public:
    // `plannedNames`: per entry of `rows`, the name its move will try
    // (PlannedNamesOfRun); `createdSet`: the creation time the run writes, 0
    // when it writes none.
    RunJournalKeeper(JournalStore& store, const FileTable& table, std::vector<std::size_t> rows,
                     std::vector<std::u16string> plannedNames, std::uint64_t startedAt, std::uint64_t createdSet);
    // Keeps the journal there is, then writes this run's. False when it cannot
    // be written: the run must not start.
    bool Begin(const FileTable& table);
    // The rows the run reached (one per outcome) as they now stand; a run
    // that changed no file (every row failed or was refused, or nothing was
    // to be done) puts the journal back as it was before.
    void Finish(const FileTable& table, const std::vector<RunRowOutcome>& outcomes, const RenameOptions& options);

    std::u16string_view PlannedName(std::size_t slot) const override;
    bool Replan(std::size_t slot, std::span<const std::u16string> names, const FileTable& table) override;

private:
    bool Write(const FileTable& table);

    JournalStore& store_;
    std::vector<std::size_t> rows_;
    std::vector<std::u16string> planned_;
    std::vector<std::u16string> namesBefore_;
    JournalHeader header_;
    JournalStore::Found before_ = JournalStore::Found::Missing;
    std::vector<std::uint8_t> beforeBytes_;
};

// One undo's journal: the rows of the list that are rows of the journal are
// marked as under way with their original names as the names to come; after
// the undo the journal holds them as they now stand, and goes when every row
// of it is restored.
class UndoJournalKeeper {
public:
    UndoJournalKeeper(JournalStore& store, const FileTable& table, const std::vector<std::size_t>& rows);
    void Finish(const FileTable& table);

private:
    void Write(bool underWay, bool planOriginalNames) const;

    JournalStore* store_ = nullptr;  // none: nothing of ours to keep up to date
    JournalReading journal_;
    std::vector<std::size_t> matches_;  // per journal row: its row in the list, or NoMatch
};

// The journal as it is kept: not found, unreadable, or read (with a problem
// when its bytes are not a journal this program can follow).
struct StoredJournal {
    JournalStore::Found found = JournalStore::Found::Missing;
    JournalReading reading;
};
StoredJournal ReadStoredJournal(JournalStore& store);

// The rows of a run or an undo that never ended, brought up to date with the
// disk (RecoverInterruptedRows); the journal is written again as ended with
// them, so that "^" undoes them.
RecoveredRows RecoverInterruptedRun(JournalStore& store, JournalReading& journal, FileSystem& files,
                                    LocalOffset localOffset);

}  // namespace qm
