#pragma once
// The dates taken of the rows in the main window's list, read on a thread of
// their own once the rows are in (DateTakenReading): the "Taken" column fills
// as they come; what needs a date not yet read (a sort by "Taken", a run with
// a "Taken" stamp or "Taken" file times) waits for it, with its progress in
// cell 1085 and Esc to stop the wait.
#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/naming/rename_options.h"

namespace qm {

// After rows were added, removed or renamed: every row that waits for its
// date is read from the path it has now.
void ScheduleDatesTaken(HWND mainWindow);

// Before work that opens or moves files: returns once the reading holds no
// file open; it rests until the next ScheduleDatesTaken.
void PauseDatesTaken(HWND mainWindow);

// CmdDatesTaken: the dates read so far go into their rows, which the list
// draws again; the preview follows when its row got its date.
void TakeDatesTaken(HWND mainWindow);

struct DatesTakenWait {
    bool complete = true;  // false: stopped before every date was in
    std::size_t read = 0;  // of the dates waited for
    std::size_t total = 0;
};

// Waits until the dates of `rows` are in, which are read first; at once when
// none of them waits.
DatesTakenWait WaitForDatesTaken(HWND mainWindow, const std::vector<std::size_t>& rows);

// What cell 1085 says when the wait was stopped, such as " Stopped after 1,207
// of 5,000 dates taken: not sorted".
std::u16string DatesTakenStoppedText(const DatesTakenWait& wait, std::u16string_view consequence);

// Whether a run with these options takes each file's date taken.
bool RunNeedsDatesTaken(const RenameOptions& options);

// The rows whose dates are still to be read.
std::size_t RowsWaitingForDateTaken(HWND mainWindow);

}  // namespace qm
