#include "core/run/journal_keeping.h"

namespace qm {

namespace {

bool Restored(const FileRow& row) {
    return SameKeptName(row.name, row.originalName) && row.created == row.originallyCreated &&
           row.modified == row.originallyModified && row.accessed == row.originallyAccessed &&
           row.attributes == row.originalAttributes;
}

}  // namespace

RunJournalKeeper::RunJournalKeeper(JournalStore& store, const FileTable& table, std::vector<std::size_t> rows,
                                   std::vector<std::u16string> plannedNames, std::uint64_t startedAt,
                                   std::uint64_t createdSet)
    : store_(store), rows_(std::move(rows)), planned_(std::move(plannedNames)), header_{true, startedAt, createdSet} {
    planned_.resize(rows_.size());
    namesBefore_.reserve(rows_.size());
    for (const std::size_t index : rows_) namesBefore_.push_back(index < table.size() ? table[index].name : u"");
}

bool RunJournalKeeper::Write(const FileTable& table) {
    std::vector<JournalEntry> entries;
    entries.reserve(rows_.size());
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i] < table.size()) entries.push_back({&table[rows_[i]], planned_[i]});
    return store_.Write(header_, entries);
}

bool RunJournalKeeper::Begin(const FileTable& table) {
    before_ = store_.Read(beforeBytes_);
    header_.underWay = true;
    return Write(table);
}

std::u16string_view RunJournalKeeper::PlannedName(std::size_t slot) const {
    return slot < planned_.size() ? std::u16string_view(planned_[slot]) : std::u16string_view();
}

bool RunJournalKeeper::Replan(std::size_t slot, std::span<const std::u16string> names, const FileTable& table) {
    // The rows before `slot` are done with: the table holds where they are.
    for (std::size_t i = 0; i < planned_.size(); ++i)
        planned_[i] = i < slot || i - slot >= names.size() ? std::u16string() : names[i - slot];
    return Write(table);
}

void RunJournalKeeper::Finish(const FileTable& table, const std::vector<RunRowOutcome>& outcomes,
                              const RenameOptions& options) {
    // A run stopped part-way reached only the first rows: the rest are as they were.
    if (outcomes.size() < rows_.size()) {
        rows_.resize(outcomes.size());
        planned_.resize(outcomes.size());
        namesBefore_.resize(outcomes.size());
    }
    bool changed = false;
    for (std::size_t i = 0; i < rows_.size() && i < outcomes.size() && !changed; ++i)
        changed = outcomes[i] == RunRowOutcome::Done && rows_[i] < table.size() &&
                  (options.setDates || options.setAttributes || table[rows_[i]].name != namesBefore_[i]);
    if (!changed && before_ != JournalStore::Found::Unreadable) {
        // Nothing to undo from this run: the last one that changed files stays undoable.
        if (before_ == JournalStore::Found::Read ? store_.WriteBytes(beforeBytes_) : store_.Remove()) return;
    }
    header_.underWay = false;
    std::fill(planned_.begin(), planned_.end(), std::u16string());
    Write(table);
}

UndoJournalKeeper::UndoJournalKeeper(JournalStore& store, const FileTable& table,
                                     const std::vector<std::size_t>& rows) {
    StoredJournal stored = ReadStoredJournal(store);
    // Nothing of ours to keep up to date, and a broken file stays as it is.
    if (stored.found != JournalStore::Found::Read || stored.reading.problem != JournalProblem::None) return;
    journal_ = std::move(stored.reading);
    matches_ = MatchJournalRows(journal_.rows, table, rows);
    bool any = false;
    for (const std::size_t match : matches_) any = any || match != NoMatch;
    if (!any) return;
    store_ = &store;
    Write(true, true);
}

void UndoJournalKeeper::Write(bool underWay, bool planOriginalNames) const {
    std::vector<JournalEntry> entries;
    entries.reserve(journal_.rows.size());
    for (std::size_t i = 0; i < journal_.rows.size(); ++i) {
        const FileRow& row = journal_.rows[i];
        const bool undone = planOriginalNames && matches_[i] != NoMatch;
        entries.push_back({&row, undone ? std::u16string_view(row.originalName) : std::u16string_view()});
    }
    // The run's creation time stays: an undo cut short may not have replaced it.
    JournalHeader header = journal_.header;
    header.underWay = underWay;
    store_->Write(header, entries);
}

void UndoJournalKeeper::Finish(const FileTable& table) {
    if (!store_) return;
    bool allRestored = true;
    for (std::size_t i = 0; i < journal_.rows.size(); ++i) {
        if (matches_[i] != NoMatch && matches_[i] < table.size()) journal_.rows[i] = table[matches_[i]];
        allRestored = allRestored && Restored(journal_.rows[i]);
    }
    if (allRestored)
        store_->Remove();
    else
        Write(false, false);
}

StoredJournal ReadStoredJournal(JournalStore& store) {
    StoredJournal stored;
    std::vector<std::uint8_t> bytes;
    stored.found = store.Read(bytes);
    if (stored.found == JournalStore::Found::Read) stored.reading = ReadRunJournal(bytes);
    return stored;
}

RecoveredRows RecoverInterruptedRun(JournalStore& store, JournalReading& journal, FileSystem& files,
                                    LocalOffset localOffset) {
    RecoveredRows recovered =
        RecoverInterruptedRows(journal.rows, journal.plannedNames, journal.header.createdSet, files, localOffset);
    std::vector<JournalEntry> entries;
    entries.reserve(journal.rows.size());
    for (const FileRow& row : journal.rows) entries.push_back({&row, {}});
    store.Write({false, journal.header.startedAt, journal.header.createdSet}, entries);
    return recovered;
}

}  // namespace qm
