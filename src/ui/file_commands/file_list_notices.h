#pragma once
// What the file list tells the main window beyond clicks and headers: its
// selection changed, whatever changed it (mouse, keyboard or the program), and
// the keys Delete and Ctrl+A.
#include <windows.h>
#include <commctrl.h>

namespace qm {

// Handles LVN_ITEMCHANGED, LVN_ODSTATECHANGED and LVN_KEYDOWN of the file list.
void OnFileListNotice(HWND mainWindow, const NMHDR& header);

// The posted CmdSelectionChanged: the "Selected" cell shows the count now.
void ShowSelectedCount(HWND mainWindow);

}  // namespace qm
