#pragma once
// What the main window does with its file list: adding files from the open
// dialog or a drop, the rename run, undo, and the row editing of "Clear", "<",
// ">" and the column headers.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace qm {

// Shows the open dialog and appends a row per chosen file.
void AddFilesFromDialog(HWND mainWindow);

// Appends a row per dropped file, releases the drop and, when the settings ask
// for it, runs the rename at once.
void AddDroppedFiles(HWND mainWindow, HDROP drop);

// The run over the selected rows, or all rows when none is selected, on a
// worker thread while the window waits (FileWork); Esc or "Stop" ends it after
// the file in hand. The number of files whose rename failed, or -1 when the
// list is empty or other work is under way.
int RunRename(HWND mainWindow);

// "^": the selected rows, or all rows; on an empty list, the rows of the
// last run once the user agrees. Stopped as a run is. What the status cell
// should say: how many files were restored, or why not all; empty when
// nothing was undone.
std::wstring UndoRename(HWND mainWindow);

// "Clear": the selected rows, or all rows when none is selected.
void RemoveRows(HWND mainWindow);

// "<" and ">": the one selected row moves one place, wrapping at the ends.
long MoveFileRow(HWND mainWindow, int direction);

// A click on a column header: sorted by that column, stable; ascending every
// time, or with "Sort as Explorer does" as Explorer sorts, the same header
// again turning the order round, its arrow in the header.
void SortFileRows(HWND mainWindow, int column);

// The order shown is no longer the sorted one (the rows were moved by hand,
// or "Sort as Explorer does" was turned off): no arrow, and the next click
// on a header sorts ascending.
void ForgetFileSort(HWND mainWindow);

}  // namespace qm
