#pragma once
// Long file work (a run, an undo, adding files) on a worker thread, while the
// window's thread keeps the window alive and drops the user's input (see
// FileWorkWindow). One piece of work at a time; the rows of the list are only
// ever changed by one thread.
#include <windows.h>

#include <cstddef>
#include <functional>

#include "core/rows/file_table.h"
#include "ui/file_list/status_progress.h"

namespace qm {

struct FileWorkKind {
    StatusProgress::TextOf text;  // cell 1085 meanwhile
    int stopButton;               // the button that reads "Stop" meanwhile; 0: Esc alone stops
    // The work appends rows to a table of its own, which joins the list when it
    // ends; otherwise it changes the list's rows, while the window shows them
    // as they were.
    bool appendsRows;
    // The work opens or moves files: the reading of dates taken rests meanwhile
    // (it would hold files open), and reads from the paths the rows have after.
    bool touchesFiles = true;
};

// The kinds of work there are.
extern const FileWorkKind AddingFiles;    // " Adding 1,200 of 10,000"
extern const FileWorkKind WalkingFolder;  // " Adding 1,200 files (Esc stops)"
extern const FileWorkKind RenamingFiles;  // " Renaming 1,200 of 10,000", with "Start" as "Stop"
extern const FileWorkKind UndoingFiles;   // " Undoing 1,200 of 10,000", with "^" as "Stop"
extern const FileWorkKind ReadingDatesTaken;  // " Reading dates taken 1,200 of 10,000": waits for the reading

struct FileWorkEnd {
    bool ran = false;  // false: other work was under way, and this one never started
    bool stopped = false;
    std::size_t done = 0;
    std::size_t total = 0;
};

// `work` gets the rows it may change (or fill) and the progress to tell; it
// runs on a worker thread and must not touch the window. Returns when it has
// ended.
using FileWorkFunction = std::function<void(FileTable& rows, StatusProgress& progress)>;
FileWorkEnd RunFileWork(HWND mainWindow, const FileWorkKind& kind, std::size_t total, const FileWorkFunction& work);

}  // namespace qm
