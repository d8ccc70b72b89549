#pragma once
// Paints a control into a bitmap of its own, then onto the screen in one copy.
#include <windows.h>

namespace qm::win32 {

// Under Wine each themed part drawn straight onto a window asks its server
// about the screen a few times (a list's header item some 0.3 ms); drawn into
// a bitmap of the program's own it asks nothing. The control paints exactly
// what it would have painted on the screen: the bitmap starts as the screen
// shows the area to paint, and the control's own paint, given the bitmap's
// device context as controls accept it, draws the rest. For a control without
// child windows (a header), which paints its whole area from its WM_PAINT.
void PaintThroughBitmap(HWND control);

}  // namespace qm::win32
