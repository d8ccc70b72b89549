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
        const std::uint32_t saved = files.GetAttributes(oldPath);
        files.SetAttributes(oldPath, FileAttribute::Normal);  // lets a read-only file be opened for writing

        FileTimes times;
        {
            const std::unique_ptr<OpenFile> file = files.OpenForWrite(oldPath);
            if (!file) {
                PutBack(files, oldPath, saved);
                fail(RunRowOutcome::NotOpened);
                numbers.Advance(row);
                continue;
            }
            // With "Taken" each file gets its own date taken; one without keeps its times.
            const std::optional<std::uint64_t> time =
                options.setTaken ? TakenInstant(row, localOffset) : std::optional(options.fileTime);
            if (options.setDates && time) {
                file->WriteTimes(options.setCreated ? &*time : nullptr, options.setAccessed ? &*time : nullptr,
                                 options.setModified ? &*time : nullptr);
            }
            times = file->ReadTimes();
        }
        // What a FAT file is told apart by, as it is now.
        if (row.identity.kind == FileIdentity::Kind::SizeAndCreation) row.identity.created = times.created;

        if (plan.renames()) {
            // The name as the file system keeps it, trailing dots and blanks dropped.
            std::u16string newName(
                WithoutTrailingDotsAndBlanks(NewNameOfRow(plan, row, row.name, numbers.Of(row), slot)));
            const std::u16string newPath = JoinPath(row.folderText(), newName);
            // A name that stays as it is needs no move: the platforms disagree
            // about whether moving a file onto itself succeeds.
            if (newPath != oldPath) {
                // A name no file may have (empty, a device, nothing before
                // the extension) is refused before it is tried: the platform
                // would refuse it, or give the file another name than shown.
                RunRowOutcome refused = RunRowOutcome::MoveRefused;
                if (!NameAllowed(newName)) {
                    refused = RunRowOutcome::MoveRefused;
                } else if (newPath.size() > MaximumNewPathUnits) {
                    refused = RunRowOutcome::PathTooLong;
                } else {
                    // The journal holds the name before the file takes it.
                    if (record && record->PlannedName(slot) != newName &&
                        !Replan(*record, table, rows, slot, plan, numbers, newName, lastMoveRefused, files)) {
                        PutBack(files, oldPath, saved);
                        failures += static_cast<int>(rows.size() - slot);
                        if (outcomes)
                            std::fill(outcomes->begin() + static_cast<std::ptrdiff_t>(slot), outcomes->end(),
                                      RunRowOutcome::NotRecorded);
                        done = rows.size();
                        break;
                    }
                    refused = MoveWithinFolder(files, oldPath, newPath);
                    lastMoveRefused = refused == RunRowOutcome::MoveRefused;
                }
                if (refused != RunRowOutcome::Done) {
                    fail(refused);
                    PutBack(files, oldPath, saved);
                    continue;
                }
                movedTo.insert(FoldedPath(newPath));
            }
            row.name = std::move(newName);
        }
        WriteDates(row, times, localOffset);

        const std::u16string currentPath = CurrentPath(row);
        if (options.setAttributes)
            files.SetAttributes(currentPath, options.attributes);
        else
            PutBack(files, currentPath, saved);
        const std::uint32_t now = files.GetAttributes(currentPath);
        if (now != FileAttribute::Invalid) row.attributes = FormatAttributeLetters(now);
        numbers.Advance(row);
    }
    if (outcomes) outcomes->resize(done);  // a stop leaves the rows after it out of the run
    if (progress) progress->Advance(done, rows.size());
    return failures;
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
