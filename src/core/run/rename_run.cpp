#include "core/run/rename_run.h"

#include <algorithm>
#include <unordered_set>

#include "core/text/name_allowed.h"
#include "core/text/name_text.h"
#include "core/naming/new_name.h"
#include "core/naming/running_number.h"
#include "core/run/progress_text.h"
#include "core/run/run_prediction.h"

namespace qm {

namespace {

void WriteDates(FileRow& row, const FileTimes& times, LocalOffset offset) {
    row.created = FormatListDate(times.created, offset);
    row.modified = FormatListDate(times.written, offset);
    row.accessed = FormatListDate(times.accessed, offset);
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

}  // namespace

int RunRename(FileTable& table, const std::vector<std::size_t>& rows, const RenameOptions& options,
              FileSystem& files, LocalOffset localOffset, RunProgress* progress,
              std::vector<RunRowOutcome>* outcomes, NameCheck* refused, RunRecord* record) {
    const NamePlan plan = PlanNames(options);
    {
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
    if (outcomes) outcomes->assign(rows.size(), RunRowOutcome::Done);
    // Where this run has put a file: a second row naming one of these paths
    // would act on the file that was just moved there, not on its own.
    std::unordered_set<std::u16string> movedTo;

    int failures = 0;
    std::size_t done = 0;
    RunningNumbers numbers(plan);
    bool lastMoveRefused = false;
    // The record could not be written: the rows from `slot` on are not tried.
    const auto stopUnrecorded = [&](std::size_t slot) {
        if (slot < rows.size()) failures += static_cast<int>(rows.size() - slot);
        if (outcomes)
            std::fill(outcomes->begin() + static_cast<std::ptrdiff_t>(std::min(slot, rows.size())), outcomes->end(),
                      RunRowOutcome::NotRecorded);
        done = rows.size();
    };
    for (const std::size_t index : rows) {
        const std::size_t slot = done;
        if (progress) {
            progress->Advance(done, rows.size());
            if (progress->StopRequested()) break;
        }
        ++done;
        if (index >= table.size()) continue;
        FileRow& row = table[index];
        const auto fail = [&](RunRowOutcome why) {
            ++failures;
            if (outcomes) (*outcomes)[slot] = why;
        };
        const std::u16string oldPath = CurrentPath(row);
        if (movedTo.contains(FoldedPath(oldPath))) {
            fail(RunRowOutcome::MovedThisRun);
            numbers.Advance(row);
            continue;
        }

        // The new name first: the journal must hold it before the file is
        // touched, and its step lines follow the journal's last writing.
        std::u16string newName;
        std::u16string newPath;
        RunRowOutcome refused = RunRowOutcome::Done;  // why the move will not be tried
        bool tryMove = false;
        if (plan.renames()) {
            // The name as the file system keeps it, trailing dots and blanks dropped.
            newName = WithoutTrailingDotsAndBlanks(NewNameOfRow(plan, row, row.name, numbers.Of(row), slot));
            newPath = JoinPath(row.folderText(), newName);
            // A name that stays as it is needs no move: the platforms disagree
            // about whether moving a file onto itself succeeds. A name no file
            // may have (empty, a device, nothing before the extension) is
            // refused before it is tried: the platform would refuse it, or
            // give the file another name than shown.
            if (newPath != oldPath) {
                if (!NameAllowed(newName))
                    refused = RunRowOutcome::MoveRefused;
                else if (newPath.size() > MaximumNewPathUnits)
                    refused = RunRowOutcome::PathTooLong;
                else
                    tryMove = true;
            }
        }
        if (tryMove && record && record->PlannedName(slot) != newName &&
            !Replan(*record, table, rows, slot, plan, numbers, newName, lastMoveRefused, files)) {
            stopUnrecorded(slot);
            break;
        }

        const std::uint32_t saved = files.GetAttributes(oldPath);
        files.SetAttributes(oldPath, FileAttribute::Normal);  // lets a read-only file be opened for writing

        FileTimes before, times;
        bool recorded = true;
        {
            const std::unique_ptr<OpenFile> file = files.OpenForWrite(oldPath);
            if (!file) {
                PutBack(files, oldPath, saved);
                fail(RunRowOutcome::NotOpened);
                numbers.Advance(row);
                continue;
            }
            // The file the run renames is the row's from now on, also when it
            // is not the one that was added (saved again since); the journal
            // learns it before its times change, and again after, with the
            // creation time the run has given it.
            const FileIdentity found = file->ReadIdentity();
            if (found.regularFile()) row.identity = found;
            recorded = !record || record->Reached(slot, row.identity);
            if (recorded) {
                before = file->ReadTimes();
                // With "Taken" each file gets its own date taken; one without keeps its times.
                const std::optional<std::uint64_t> time =
                    options.setTaken ? TakenInstant(row, localOffset) : std::optional(options.fileTime);
                if (options.setDates && time) {
                    file->WriteTimes(options.setCreated ? &*time : nullptr, options.setAccessed ? &*time : nullptr,
                                     options.setModified ? &*time : nullptr);
                }
                times = file->ReadTimes();
                const FileIdentity now = file->ReadIdentity();
                if (now.regularFile() && !(now == row.identity)) {
                    row.identity = now;
                    recorded = !record || record->Reached(slot, row.identity);
                }
            }
        }
        if (!recorded) {
            PutBack(files, oldPath, saved);
            stopUnrecorded(slot);
            break;
        }
        const bool timesChanged =
            times.created != before.created || times.written != before.written || times.accessed != before.accessed;
        // The record learns that the row is done, and whether its file changed.
        const auto finished = [&](bool moved, std::uint32_t attributesNow) {
            const bool changed = moved || timesChanged || attributesNow != saved;
            return !record || record->Finished(slot, moved, changed, row.identity);
        };

        bool moved = false;
        if (tryMove) refused = MoveWithinFolder(files, oldPath, newPath);
        lastMoveRefused = tryMove ? refused == RunRowOutcome::MoveRefused : lastMoveRefused;
        if (refused != RunRowOutcome::Done) {
            fail(refused);
            PutBack(files, oldPath, saved);
            if (!finished(false, files.GetAttributes(oldPath))) {
                stopUnrecorded(slot + 1);
                break;
            }
            continue;
        }
        if (tryMove) {
            movedTo.insert(FoldedPath(newPath));
            moved = true;
        }
        if (plan.renames()) row.name = std::move(newName);
        WriteDates(row, times, localOffset);

        const std::u16string currentPath = CurrentPath(row);
        if (options.setAttributes)
            files.SetAttributes(currentPath, options.attributes);
        else
            PutBack(files, currentPath, saved);
        const std::uint32_t now = files.GetAttributes(currentPath);
        if (now != FileAttribute::Invalid) row.attributes = FormatAttributeLetters(now);
        numbers.Advance(row);
        if (!finished(moved, now)) {
            stopUnrecorded(slot + 1);
            break;
        }
    }
    if (outcomes) outcomes->resize(done);  // a stop leaves the rows after it out of the run
    if (progress) progress->Advance(done, rows.size());
    return failures;
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
