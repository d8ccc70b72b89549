#pragma once
// What the main window keeps beside its controls while it exists: the rows of
// its file list and the brush of its red frames.
#include <windows.h>

#include <memory>

#include "core/rows/date_taken_reading.h"
#include "core/rows/file_table.h"
#include "ui/file_list/new_name_column_state.h"

namespace qm {

class FileWorkWindow;

struct MainWindowState {
    FileTable files;
    HBRUSH redFrameBrush = nullptr;
    bool settingsWritten = false;  // the closing steps ran (at close or at session end)
    bool opening = false;          // inside WM_INITDIALOG
    bool openingFinished = false;  // every tip made (or the window ended for want of one)
    int openingStep = 0;           // the next step of making the tips
    bool selectionCellPending = false;  // a CmdSelectionChanged is on its way
    NewNameColumnState newNames;
    bool settingsUnreadable = false;  // the file is there but could not be read: never written over
    FileWorkWindow* work = nullptr;  // file work under way on a worker thread, or none
    // The column that "Sort as Explorer does" last sorted, -1 for none, and which way round.
    int sortedColumn = -1;
    bool sortedDescending = false;
    std::unique_ptr<DateTakenReading> dates;  // made with the first row that waits for its date
};

// Made when the window opens, kept in its DWLP_USER slot, freed when it goes.
MainWindowState& AttachMainWindowState(HWND window);
void DetachMainWindowState(HWND window);
// The state of the window, or null before it has opened and after it has gone.
MainWindowState* FindMainWindowState(HWND window);
// The state of an open main window.
inline MainWindowState& StateOf(HWND window) { return *FindMainWindowState(window); }

}  // namespace qm
