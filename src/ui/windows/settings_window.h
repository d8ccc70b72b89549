#pragma once
// The Settings window (dialog template 8000): history pruning, the time
// format with a live example, opacity with a live preview on the main window,
// the spacer character and the options of SettingsFlags.
#include <windows.h>

namespace qm {

// Modal over `mainWindow`, whose histories, "Transparent" box and alpha it
// works on; returns when the window has closed.
void OpenSettingsWindow(HWND mainWindow);

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace qm
