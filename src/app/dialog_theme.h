#pragma once
// The themed dialog background that every dialog of the program switches on.
#include <windows.h>

namespace qm {

// True when the loaded common-controls library is version 6 or later. The
// library is only looked up, never loaded.
bool HasCommonControls6();

// Switches the themed tab texture of a dialog on (or off) when the system
// offers it; does nothing otherwise.
void EnableDialogTheme(HWND dialog, bool enable);

}  // namespace qm
