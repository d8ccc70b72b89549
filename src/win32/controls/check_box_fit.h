#pragma once
// Check boxes that another component lays out (the folder picker's own).
#include <windows.h>

namespace qm::win32 {

// Widens every check box below `window` whose caption does not fit it on one
// line, and the window that holds it when that is narrower too. Wine's file
// dialog gives its check boxes a fixed width, so that a longer caption wraps
// and its second line is cut; the platform's own dialog draws them itself
// (no such child windows), and there this finds nothing to do.
void FitCheckBoxesToCaptions(HWND window);

}  // namespace qm::win32
