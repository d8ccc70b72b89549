#include "core/run/journal_keeping.h"

namespace qm {

namespace {

bool Restored(const FileRow& row) {
    return SameKeptName(row.name, row.originalName) && row.created == row.originallyCreated &&
           row.modified == row.originallyModified && row.accessed == row.originallyAccessed &&
           row.attributes == row.originalAttributes;
}

}  // namespace

RunJournalKeeper::RunJournalKeeper(JournalStore& store, std::vector<std::size_t> rows,
                                   std::vector<std::u16string> plannedNames, std::uint64_t startedAt,
                                   std::vector<std::uint64_t> createdGiven)
    : store_(store), rows_(std::move(rows)), planned_(std::move(plannedNames)),
      createdGiven_(std::move(createdGiven)), header_{true, startedAt} {
    planned_.resize(rows_.size());
    createdGiven_.resize(rows_.size(), 0);
}

bool RunJournalKeeper::Write(const FileTable& table) {
    std::vector<JournalEntry> entries;
    entries.reserve(rows_.size());
    lineOf_.assign(rows_.size(), NoMatch);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i] >= table.size()) continue;
        lineOf_[i] = entries.size();
        entries.push_back({&table[rows_[i]], planned_[i], createdGiven_[i]});
    }
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
    // The rows before `slot` keep their names to come: the table holds where
    // they are, and one that waits for a name freed later still moves there.
    for (std::size_t i = slot; i < planned_.size(); ++i)
        planned_[i] = i - slot >= names.size() ? std::u16string() : names[i - slot];
    return Write(table);
}

// A slot whose row is no longer in the list has no line of the journal.
std::size_t RunJournalKeeper::LineOf(std::size_t slot) const {
    return slot < lineOf_.size() ? lineOf_[slot] : NoMatch;
}

bool RunJournalKeeper::Reached(std::size_t slot, const FileIdentity& identity) {
    const std::size_t line = LineOf(slot);
    return line == NoMatch || store_.Append(FormatJournalStep(JournalStep::Reached, line, identity));
}

bool RunJournalKeeper::Finished(std::size_t slot, bool moved, bool changed, const FileIdentity& identity) {
    changed_ = changed_ || changed;
    const std::size_t line = LineOf(slot);
    return line == NoMatch ||
           store_.Append(FormatJournalStep(moved ? JournalStep::Moved : JournalStep::Kept, line, identity));
}

bool RunJournalKeeper::Aside(std::size_t slot, std::u16string_view name, bool there) {
    const std::size_t line = LineOf(slot);
    return line == NoMatch ||
           store_.Append(FormatJournalStep(there ? JournalStep::At : JournalStep::Aside, line, name));
}

void RunJournalKeeper::Finish(const FileTable& table, const std::vector<RunRowOutcome>& outcomes) {
    // A run stopped part-way reached only the first rows: the rest are as they were.
    if (outcomes.size() < rows_.size()) {
        rows_.resize(outcomes.size());
        planned_.resize(outcomes.size());
        createdGiven_.resize(outcomes.size());
    }
    if (!changed_ && before_ != JournalStore::Found::Unreadable) {
        // Nothing to undo from this run: the last one that changed files stays undoable.
        if (before_ == JournalStore::Found::Read ? store_.WriteBytes(beforeBytes_) : store_.Remove()) return;
    }
    header_.underWay = false;
    std::fill(planned_.begin(), planned_.end(), std::u16string());
    Write(table);
}

UndoJournalKeeper::UndoJournalKeeper(JournalStore& store, const FileTable& table,
                                     const std::vector<std::size_t>& rows, LocalOffset localOffset) {
    StoredJournal stored = ReadStoredJournal(store, localOffset);
    // Nothing of ours to keep up to date, and a broken file stays as it is.
    if (stored.found != JournalStore::Found::Read || stored.reading.problem != JournalProblem::None) return;
    journal_ = std::move(stored.reading);
    matches_ = MatchJournalRows(journal_.rows, table, rows);
    for (std::size_t i = 0; i < matches_.size(); ++i)
        if (matches_[i] != NoMatch) journalRowOf_.emplace(matches_[i], i);
    if (!journalRowOf_.empty()) store_ = &store;
}

bool UndoJournalKeeper::Begin() { return !store_ || Write(true, true); }

bool UndoJournalKeeper::Write(bool underWay, bool planOriginalNames) const {
    std::vector<JournalEntry> entries;
    entries.reserve(journal_.rows.size());
    for (std::size_t i = 0; i < journal_.rows.size(); ++i) {
        const FileRow& row = journal_.rows[i];
        const bool undone = planOriginalNames && matches_[i] != NoMatch;
        // The run's creation times stay: an undo cut short may not have replaced them.
        entries.push_back({&row, undone ? std::u16string_view(row.originalName) : std::u16string_view(),
                           journal_.createdGiven[i]});
    }
    JournalHeader header = journal_.header;
    header.underWay = underWay;
    return store_->Write(header, entries);
}

std::size_t UndoJournalKeeper::LineOf(std::size_t slot) const {
    const auto found = journalRowOf_.find(slot);
    return found == journalRowOf_.end() ? NoMatch : found->second;
}

bool UndoJournalKeeper::Reached(std::size_t slot, const FileIdentity& identity) {
    const std::size_t line = LineOf(slot);
    return line == NoMatch || store_->Append(FormatJournalStep(JournalStep::Reached, line, identity));
}

bool UndoJournalKeeper::Finished(std::size_t slot, bool moved, bool, const FileIdentity& identity) {
    const std::size_t line = LineOf(slot);
    return line == NoMatch ||
           store_->Append(FormatJournalStep(moved ? JournalStep::Moved : JournalStep::Kept, line, identity));
}

bool UndoJournalKeeper::Aside(std::size_t slot, std::u16string_view name, bool there) {
    const std::size_t line = LineOf(slot);
    return line == NoMatch ||
           store_->Append(FormatJournalStep(there ? JournalStep::At : JournalStep::Aside, line, name));
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

JournalStore::Found JournalStore::ReadJournal(JournalReading& reading, LocalOffset localOffset) {
    std::vector<std::uint8_t> bytes;
    const Found found = Read(bytes);
    if (found == Found::Read) reading = ReadRunJournal(bytes, localOffset);
    return found;
}

StoredJournal ReadStoredJournal(JournalStore& store, LocalOffset localOffset) {
    StoredJournal stored;
    stored.found = store.ReadJournal(stored.reading, localOffset);
    return stored;
}

RecoveredRows RecoverInterruptedRun(JournalStore& store, JournalReading& journal, FileSystem& files) {
    RecoveredRows recovered = RecoverInterruptedRows(journal, files);
    std::vector<JournalEntry> entries;
    entries.reserve(journal.rows.size());
    for (std::size_t i = 0; i < journal.rows.size(); ++i)
        entries.push_back({&journal.rows[i], {}, journal.createdGiven[i]});
    store.Write({false, journal.header.startedAt}, entries);
    return recovered;
}

}  // namespace qm
