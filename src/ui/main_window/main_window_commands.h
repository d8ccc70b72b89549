#pragma once
// What the main window's buttons, boxes and private commands do.
#include <windows.h>

namespace qm {

// WM_COMMAND: the action of the control in the low word of wParam, then the
// preview follows edits of the prefix and suffix boxes.
void OnMainWindowCommand(HWND window, WPARAM wParam);

// Turns the window's transparency on (alpha from Opacity) or off.
void SetTransparency(HWND window, bool on);

void PostRefresh(HWND window);

}  // namespace qm
