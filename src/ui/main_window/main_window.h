#pragma once
// The main window: dialog template 1000, run modally on the user-interface thread.
#include <windows.h>

namespace qm {

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace qm
