#pragma once
// The main window: dialog template 1000, run modally on the user-interface thread.
#include <windows.h>

namespace qm {

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// After a run or an undo: settings.ini is written as at closing, so that what
// the session changed outlives a program that dies later. Nothing is told; a
// failure that lasts is told at closing.
void WriteSettingsNow(HWND window);

}  // namespace qm
