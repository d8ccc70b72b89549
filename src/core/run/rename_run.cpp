#include "core/run/rename_run.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "core/text/name_allowed.h"
#include "core/text/name_text.h"
#include "core/naming/new_name.h"
#include "core/naming/running_number.h"
#include "core/rows/add_files.h"
#include "core/run/progress_text.h"
#include "core/run/run_prediction.h"

namespace qm {

namespace {

void WriteDates(FileRow& row, const FileTimes& times) {
    row.created = times.created;
    row.modified = times.written;
    row.accessed = times.accessed;
}

void PutBack(FileSystem& files, const std::u16string& path, std::uint32_t saved) {
    if (saved != FileAttribute::Invalid) files.SetAttributes(path, saved);
}

// Paths compare as the file system compares names: A-Z and a-z alike.
std::u16string FoldedPath(std::u16string path) {
    ToAsciiUpper(path);
    return path;
}

RunRowOutcome MoveWithinFolder(FileSystem& files, const std::u16string& from, const std::u16string& to) {
    switch (files.Move(from, to)) {
        case MoveOutcome::Moved: return RunRowOutcome::Done;
        case MoveOutcome::TargetExists: return RunRowOutcome::NameTaken;
        case MoveOutcome::Refused: break;
    }
    return RunRowOutcome::MoveRefused;
}

// The record is written again with the names that the rest of the run, from
// `slot` on with the counts as they stand and the list's names from `slot`
// on, will now give, the row at `slot` taking `newName`.
// After a refused move the rest are planned as refused too: a folder that
// refuses one move (no right to rename in it) mostly refuses them all, and
// then the record is written once, not once a row.
bool Replan(RunRecord& record, const FileTable& table, const std::vector<std::size_t>& rows, std::size_t slot,
            NamePlan plan, const RunningNumbers& numbers, const std::u16string& newName,
            bool lastMoveRefused, FileSystem& files) {
    const std::vector<std::size_t> rest(rows.begin() + static_cast<std::ptrdiff_t>(slot), rows.end());
    plan.listOffset += slot;
    std::vector<std::u16string> names = PlannedNamesOfRun(table, rest, plan, files, lastMoveRefused, &numbers);
    names.front() = newName;
    return record.Replan(slot, names, table);
}

// A row whose file waits at its name, or at a temporary name, until a file
// of the same run has freed its new name.
struct WaitingMove {
    std::size_t slot = 0;
    std::u16string from, to, newName;
    std::u16string before;  // its path before it moved aside
    std::uint32_t saved = 0;
    FileTimes times;
    bool timesChanged = false;
    bool aside = false;
};

// One rename run over the taking-part rows, top down.
class Run {
public:
    Run(FileTable& table, const std::vector<std::size_t>& rows, const RenameOptions& options, FileSystem& files,
        LocalOffset localOffset, RunProgress* progress, std::vector<RunRowOutcome>* outcomes, RunRecord* record)
        : table_(table), rows_(rows), options_(options), files_(files), localOffset_(localOffset),
          progress_(progress), outcomes_(outcomes), record_(record), plan_(PlanNames(options)) {}

    int Go() {
        if (outcomes_) outcomes_->assign(rows_.size(), RunRowOutcome::Done);
        // Where the run's own names chain or run in circles, the run orders
        // its moves as the prediction played them.
        if (plan_.renames()) predicted_ = PredictRun(table_, rows_, plan_, ReadFolderListings(table_, rows_, files_));
        while (done_ < rows_.size()) {
            const std::size_t slot = done_;
            if (progress_) {
                progress_->Advance(done_, rows_.size());
                if (progress_->StopRequested()) break;
            }
            ++done_;
            if (!Row(slot)) break;
        }
        // Names that were never freed: the rows waiting for them try once more, and fail.
        for (std::size_t id = 0; id < waiting_.size(); ++id) {
            const auto found = waitingFor_.find(FoldedPath(waiting_[id].to));
            if (found == waitingFor_.end() || found->second != id) continue;
            waitingFor_.erase(found);
            const std::u16string freed = waiting_[id].from;
            if (MoveWaiting(id) && !waiting_[id].aside && movedTo_.contains(FoldedPath(waiting_[id].to)) &&
                !SameFile(freed, waiting_[id].to))
                Cascade(freed);
        }
        if (outcomes_) outcomes_->resize(done_);  // a stop leaves the rows after it out of the run
        if (progress_) progress_->Advance(done_, rows_.size());
        return failures_;
    }

private:
    void Fail(std::size_t slot, RunRowOutcome why) {
        ++failures_;
        if (outcomes_) (*outcomes_)[slot] = why;
    }

    // The record could not be written: the rows from `slot` on are not tried.
    void StopUnrecorded(std::size_t slot) {
        if (slot < rows_.size()) failures_ += static_cast<int>(rows_.size() - slot);
        if (outcomes_)
            std::fill(outcomes_->begin() + static_cast<std::ptrdiff_t>(std::min(slot, rows_.size())), outcomes_->end(),
                      RunRowOutcome::NotRecorded);
        done_ = rows_.size();
    }

    // The file of the row at `slot` has its new name (or kept its name): its
    // row takes the name, times and attributes, and the record learns it.
    bool Complete(std::size_t slot, std::u16string newName, std::uint32_t saved, const FileTimes& times,
                  bool timesChanged, bool moved) {
        FileRow& row = table_[rows_[slot]];
        if (plan_.renames()) row.name = std::move(newName);
        WriteDates(row, times);
        const std::u16string currentPath = CurrentPath(row);
        if (options_.setAttributes)
            files_.SetAttributes(currentPath, options_.attributes);
        else
            PutBack(files_, currentPath, saved);
        const std::uint32_t now = files_.GetAttributes(currentPath);
        if (now != FileAttribute::Invalid) row.attributes = KeptAttributes(now);
        const bool changed = moved || timesChanged || now != saved;
        return !record_ || record_->Finished(slot, moved, changed, row.identity);
    }

    // False when the record could not be written: the run stops.
    bool Row(std::size_t slot) {
        const std::size_t index = rows_[slot];
        if (index >= table_.size()) return true;
        FileRow& row = table_[index];
        const std::u16string oldPath = CurrentPath(row);
        // A path where this run has put a file, or whose file waits to move
        // away: a second row naming it would act on that file, not its own.
        if (movedTo_.contains(FoldedPath(oldPath)) || waitingFrom_.contains(FoldedPath(oldPath))) {
            Fail(slot, RunRowOutcome::MovedThisRun);
            numbers_.Advance(row);
            return true;
        }

        // The new name first: the journal must hold it before the file is
        // touched, and its step lines follow the journal's last writing.
        std::u16string newName;
        std::u16string newPath;
        RunRowOutcome refused = RunRowOutcome::Done;  // why the move will not be tried
        bool tryMove = false;
        if (plan_.renames()) {
            // The name as the file system keeps it, trailing dots and blanks dropped.
            newName = WithoutTrailingDotsAndBlanks(NewNameOfRow(plan_, row, row.name, numbers_.Of(row), slot));
            newPath = JoinPath(row.folderText(), newName);
            // A name that stays as it is needs no move: the platforms disagree
            // about whether moving a file onto itself succeeds. A name no file
            // may have (empty, a device, nothing before the extension), or one
            // of the run's temporary names, is refused before it is tried: the
            // platform would refuse it, or give the file another name than shown.
            if (newPath != oldPath) {
                if (!NameAllowed(newName) || IsTemporaryName(newName))
                    refused = RunRowOutcome::MoveRefused;
                else if (newPath.size() > MaximumNewPathUnits)
                    refused = RunRowOutcome::PathTooLong;
                else
                    tryMove = true;
            }
        }
        if (tryMove && record_ && record_->PlannedName(slot) != newName &&
            !Replan(*record_, table_, rows_, slot, plan_, numbers_, newName, lastMoveRefused_, files_)) {
            StopUnrecorded(slot);
            return false;
        }

        const std::uint32_t saved = files_.GetAttributes(oldPath);
        files_.SetAttributes(oldPath, FileAttribute::Normal);  // lets a read-only file be opened for writing

        FileTimes before, times;
        bool recorded = true;
        {
            const std::unique_ptr<OpenFile> file = files_.OpenForWrite(oldPath);
            if (!file) {
                PutBack(files_, oldPath, saved);
                Fail(slot, RunRowOutcome::NotOpened);
                numbers_.Advance(row);
                return true;
            }
            // The file the run renames is the row's from now on, also when it
            // is not the one that was added (saved again since); the journal
            // learns it before its times change, and again after, with the
            // creation time the run has given it.
            const FileIdentity found = file->ReadIdentity();
            if (found.regularFile()) row.identity = found;
            recorded = !record_ || record_->Reached(slot, row.identity);
            if (recorded) {
                before = file->ReadTimes();
                // With "Taken" each file gets its own date taken; one without keeps its times.
                const std::optional<std::uint64_t> time =
                    options_.setTaken ? TakenInstant(row, localOffset_) : std::optional(options_.fileTime);
                if (options_.setDates && time) {
                    file->WriteTimes(options_.setCreated ? &*time : nullptr, options_.setAccessed ? &*time : nullptr,
                                     options_.setModified ? &*time : nullptr);
                }
                times = file->ReadTimes();
                const FileIdentity now = file->ReadIdentity();
                if (now.regularFile() && !(now == row.identity)) {
                    row.identity = now;
                    recorded = !record_ || record_->Reached(slot, row.identity);
                }
            }
        }
        if (!recorded) {
            PutBack(files_, oldPath, saved);
            StopUnrecorded(slot);
            return false;
        }
        const bool timesChanged =
            times.created != before.created || times.written != before.written || times.accessed != before.accessed;

        // Its new name is held by a file of this run that moves away later:
        // the file waits at its name, with its attributes, until then.
        const PredictedRow* foreseen = slot < predicted_.size() ? &predicted_[slot] : nullptr;
        if (tryMove && foreseen && foreseen->waits && foreseen->newName == newName && !lastMoveRefused_) {
            PutBack(files_, oldPath, saved);
            numbers_.Advance(row);
            if (record_ && !record_->Finished(slot, false, timesChanged, row.identity)) {
                StopUnrecorded(slot + 1);
                return false;
            }
            waitingFrom_.insert(FoldedPath(oldPath));
            waitingFor_.emplace(FoldedPath(newPath), waiting_.size());
            waiting_.push_back({slot, oldPath, newPath, std::move(newName), {}, saved, times, timesChanged, false});
            return !foreseen->aside || MoveAside(waiting_.size() - 1);
        }

        bool moved = false;
        if (tryMove) refused = MoveWithinFolder(files_, oldPath, newPath);
        lastMoveRefused_ = tryMove ? refused == RunRowOutcome::MoveRefused : lastMoveRefused_;
        if (refused != RunRowOutcome::Done) {
            Fail(slot, refused);
            PutBack(files_, oldPath, saved);
            if (record_ && !record_->Finished(slot, false, timesChanged || files_.GetAttributes(oldPath) != saved,
                                              row.identity)) {
                StopUnrecorded(slot + 1);
                return false;
            }
            return true;
        }
        if (tryMove) {
            movedTo_.insert(FoldedPath(newPath));
            moved = true;
        }
        numbers_.Advance(row);
        if (!Complete(slot, std::move(newName), saved, times, timesChanged, moved)) {
            StopUnrecorded(slot + 1);
            return false;
        }
        // A change of case alone frees no name.
        return !moved || SameFile(oldPath, newPath) || Cascade(oldPath);
    }

    // The file at `freed` has moved away: the row waiting for that name
    // moves, and frees its own name in turn. False when the record could not
    // be written.
    bool Cascade(std::u16string freed) {
        for (;;) {
            const auto found = waitingFor_.find(FoldedPath(freed));
            if (found == waitingFor_.end()) return true;
            const std::size_t id = found->second;
            waitingFor_.erase(found);
            freed = waiting_[id].from;
            if (!MoveWaiting(id)) return false;
            // From a temporary name nothing more is freed; nor by a move that failed.
            if (waiting_[id].aside || !movedTo_.contains(FoldedPath(waiting_[id].to)) ||
                SameFile(freed, waiting_[id].to))
                return true;
        }
    }

    // False when the record could not be written.
    bool MoveWaiting(std::size_t id) {
        WaitingMove& move = waiting_[id];
        FileRow& row = table_[rows_[move.slot]];
        waitingFrom_.erase(FoldedPath(move.from));
        if (record_ && !record_->Reached(move.slot, row.identity)) {
            Fail(move.slot, RunRowOutcome::NotRecorded);
            return false;
        }
        const RunRowOutcome outcome = MoveWithinFolder(files_, move.from, move.to);
        if (outcome != RunRowOutcome::Done) {
            Fail(move.slot, outcome);
            // A file moved aside goes back to its own name where it can; one
            // that cannot stays where its row names it, a change to undo.
            bool stillAside = move.aside;
            const std::u16string_view back = SplitPath(move.before).name;
            if (move.aside && (!record_ || record_->Aside(move.slot, back, false)) &&
                files_.Move(move.from, move.before) == MoveOutcome::Moved) {
                row.name = back;
                stillAside = false;
                if (record_) record_->Aside(move.slot, row.name, true);
            }
            return !record_ || record_->Finished(move.slot, false, move.timesChanged || stillAside, row.identity);
        }
        movedTo_.insert(FoldedPath(move.to));
        return Complete(move.slot, move.newName, move.saved, move.times, move.timesChanged, true);
    }

    // The row closes a cycle of names: its file moves to a temporary name in
    // its folder, which frees its own name for the others of the cycle; the
    // last of them frees its new name. The journal holds the temporary name
    // before the move. False when the record could not be written.
    bool MoveAside(std::size_t id) {
        WaitingMove& move = waiting_[id];
        FileRow& row = table_[rows_[move.slot]];
        std::u16string name, path;
        do {
            name = TemporaryName(temporaryNumber_++);
            path = JoinPath(row.folderText(), name);
        } while (files_.GetAttributes(path) != FileAttribute::Invalid);
        if (record_ && !record_->Aside(move.slot, name, false)) return false;
        if (files_.Move(move.from, path) != MoveOutcome::Moved) {
            waitingFor_.erase(FoldedPath(move.to));
            waitingFrom_.erase(FoldedPath(move.from));
            Fail(move.slot, RunRowOutcome::MoveRefused);
            return !record_ || record_->Finished(move.slot, false, move.timesChanged, row.identity);
        }
        waitingFrom_.erase(FoldedPath(move.from));
        move.before = std::move(move.from);
        move.from = path;
        move.aside = true;
        row.name = name;
        if (record_ && !record_->Aside(move.slot, name, true)) return false;
        return Cascade(move.before);
    }

    FileTable& table_;
    const std::vector<std::size_t>& rows_;
    const RenameOptions& options_;
    FileSystem& files_;
    LocalOffset localOffset_;
    RunProgress* progress_;
    std::vector<RunRowOutcome>* outcomes_;
    RunRecord* record_;
    const NamePlan plan_;
    std::vector<PredictedRow> predicted_;

    int failures_ = 0;
    std::size_t done_ = 0;
    RunningNumbers numbers_{plan_};
    bool lastMoveRefused_ = false;
    // Where this run has put a file: a second row naming one of these paths
    // would act on the file that was just moved there, not on its own.
    std::unordered_set<std::u16string> movedTo_;
    std::vector<WaitingMove> waiting_;
    std::unordered_map<std::u16string, std::size_t> waitingFor_;  // new path (folded) to the move that waits for it
    std::unordered_set<std::u16string> waitingFrom_;              // paths (folded) whose files wait to move away
    std::uint32_t temporaryNumber_ = 0;
};

}  // namespace

int RunRename(FileTable& table, const std::vector<std::size_t>& rows, const RenameOptions& options,
              FileSystem& files, LocalOffset localOffset, RunProgress* progress,
              std::vector<RunRowOutcome>* outcomes, NameCheck* refused, RunRecord* record) {
    {
        const NamePlan plan = PlanNames(options);
        std::vector<std::u16string_view> names;
        names.reserve(rows.size());
        for (const std::size_t index : rows)
            if (index < table.size()) names.push_back(table[index].name);
        NameCheck check = CheckNames(plan, names);
        if (check.problem != NameProblem::None) {
            if (refused) *refused = std::move(check);
            return -1;
        }
    }
    return Run(table, rows, options, files, localOffset, progress, outcomes, record).Go();
}

std::vector<std::uint64_t> CreationTimesGiven(const FileTable& table, const std::vector<std::size_t>& rows,
                                              const RenameOptions& options, LocalOffset localOffset) {
    std::vector<std::uint64_t> given(rows.size(), 0);
    if (!options.setDates || !options.setCreated) return given;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i] >= table.size()) continue;
        const std::optional<std::uint64_t> time =
            options.setTaken ? TakenInstant(table[rows[i]], localOffset) : std::optional(options.fileTime);
        given[i] = time.value_or(0);
    }
    return given;
}

std::size_t FilesWithoutDateTaken(const FileTable& table, const std::vector<std::size_t>& rows,
                                  const std::vector<RunRowOutcome>& outcomes) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < rows.size() && i < outcomes.size(); ++i) {
        const bool opened = outcomes[i] != RunRowOutcome::NotOpened && outcomes[i] != RunRowOutcome::MovedThisRun;
        if (opened && rows[i] < table.size() && !table[rows[i]].taken) ++count;
    }
    return count;
}

std::u16string KeptTimesText(std::size_t files) {
    std::u16string text = u" " + GroupedNumber(files);
    text += files == 1 ? u" file has no date taken: its times were kept"
                       : u" files have no date taken: their times were kept";
    return text;
}

}  // namespace qm
