#pragma once
// The user-interface thread: runs the main window as a modal dialog.
#include <windows.h>

namespace qm {

// Runs dialog 1000 until it ends, then tells the hidden window; returns the
// result of that PostMessageW.
BOOL UiThreadMain(HWND hiddenWindow);

}  // namespace qm
