#pragma once
// The main window's side of the run journal: written before and after every
// run and undo, read when the window opens (rows of an interrupted run come
// back) and when "^" is pressed on an empty list (the last run may be undone
// after the window was closed).
#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/naming/rename_options.h"
#include "core/run/journal_keeping.h"
#include "core/run/rename_run.h"
#include "core/run/undo_run.h"
#include "win32/files/journal_file_store.h"

namespace qm {

// The journal file of this window: beside its settings file, or none.
std::wstring RunJournalPath();

// Spans one run: the journal with the rows about to take part, the names
// their moves will try and the mark of a run under way, flushed before the
// first file moves, written again whenever the run is about to give a name it
// does not hold; on Finish, the rows the run reached as they now stand
// without the mark, or the last journal back when the run changed no file.
// Made, begun and finished on the thread that runs the files.
class JournalledRun {
public:
    JournalledRun(const FileTable& table, const std::vector<std::size_t>& rows, const RenameOptions& options,
                  std::vector<std::u16string> plannedNames, LocalOffset localOffset);
    // False when the journal cannot be written: the run must not start.
    bool Begin(const FileTable& table);
    // The message that names the journal and why it could not be written.
    void ShowNotWritten(HWND mainWindow) const;
    // What the run keeps told of its names; none without a journal.
    RunRecord* record();
    void Finish(const FileTable& table, const std::vector<RunRowOutcome>& outcomes);

private:
    win32::JournalFileStore store_;
    std::optional<RunJournalKeeper> keeper_;
};

// Spans one undo (UndoJournalKeeper on the journal's file).
class JournalledUndo {
public:
    JournalledUndo(const FileTable& table, const std::vector<std::size_t>& rows);
    // False when the journal cannot be marked as under way: the undo must not start.
    bool Begin();
    // The message that names the journal and why it could not be written.
    void ShowNotWritten(HWND mainWindow) const;
    MoveRecord* record();
    void Finish(const FileTable& table);

private:
    win32::JournalFileStore store_;
    std::optional<UndoJournalKeeper> keeper_;
};

// "^" on an empty list: when a finished run's journal is there, asks once
// whether to undo it and, on Yes, puts the journal's rows into the list.
// True when rows came in.
bool BringBackLastRun(HWND mainWindow);

// When the window opens: the rows of a run that never ended come back into
// the list, each at the name that holds its file, the rows whose files are at
// neither name marked; a journal that cannot be read is kept aside. Either is
// told in the status cell.
void OpenRunJournal(HWND mainWindow);

// What the status cell says after an undo that could not restore everything;
// empty when it did.
std::wstring UndoReportText(const UndoReport& report);

// The question "^" asks on an empty list.
std::wstring UndoLastRunQuestion(const FileTable& rows, std::uint64_t startedAt);

}  // namespace qm
