#pragma once
// MessageBoxW whose text shows whole.
#include <windows.h>

namespace qm::win32 {

// As MessageBoxW. Wine makes a message box's text exactly as wide as its
// widest line, and then draws the glyphs a few pixels wider, so that a text
// of one line lost its last letters ("followec"). The text is given those
// pixels, inside the box's margin; where it has room already, nothing changes.
int ShowMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);

}  // namespace qm::win32
