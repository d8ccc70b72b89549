#pragma once
// The main window's side of the run journal: written before and after every
// run and undo, read when the window opens (rows of an interrupted run come
// back) and when "^" is pressed on an empty list (the last run may be undone
// after the window was closed).
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/run/rename_run.h"
#include "core/run/run_journal.h"
#include "core/run/undo_run.h"

namespace qm {

// The journal file of this window: beside its settings file, or none.
std::wstring RunJournalPath();

// Spans one run: the journal with the rows about to take part, the names they
// are about to get and the mark of a run under way, flushed before the first
// file moves; then, on Finish, the rows as they now stand without the mark:
// the first `rowsDone` of them, those a stopped run reached.
class JournalledRun {
public:
    JournalledRun(const FileTable& table, const std::vector<std::size_t>& rows,
                  const std::vector<std::u16string>& plannedNames);
    void Finish(const FileTable& table, std::size_t rowsDone = SIZE_MAX);

private:
    std::wstring path_;
    JournalHeader header_;
    std::vector<std::size_t> rows_;
};

// Spans one undo. The rows of the list that are rows of the journal are
// marked as under way with their original names as the names to come; after
// the undo the journal holds them as they now stand, and goes when every row
// of it is restored.
class JournalledUndo {
public:
    JournalledUndo(const FileTable& table, const std::vector<std::size_t>& rows);
    void Finish(const FileTable& table);

private:
    void Write(bool underWay, bool planOriginalNames) const;

    std::wstring path_;
    JournalReading journal_;
    std::vector<std::size_t> matches_;  // per journal row: its row in the list, or NoMatch
};

// "^" on an empty list: when a finished run's journal is there, asks once
// whether to undo it and, on Yes, puts the journal's rows into the list.
// True when rows came in.
bool BringBackLastRun(HWND mainWindow);

// When the window opens: the rows of a run that never ended come back into
// the list, taking the names the run gave them; a journal that cannot be read
// is kept aside. Either is told in the status cell.
void OpenRunJournal(HWND mainWindow);

// What the status cell says after an undo that could not restore everything;
// empty when it did.
std::wstring UndoReportText(const UndoReport& report);

// The question "^" asks on an empty list.
std::wstring UndoLastRunQuestion(const FileTable& rows, std::uint64_t startedAt);

}  // namespace qm
