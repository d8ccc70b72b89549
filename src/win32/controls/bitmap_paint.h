#pragma once
// Paints a header into a bitmap of its own, then onto the screen in one copy.
#include <windows.h>

namespace qm::win32 {

// Under Wine each themed part drawn straight onto a window asks its server
// about the screen a few times (a header item some 0.3 ms); drawn into a
// bitmap of the program's own it asks nothing. The header paints exactly what
// it would have painted on the screen: the bitmap starts as the screen shows
// the area to paint, and the header's own paint, given the bitmap's device
// context as common controls accept it, draws the rest. Some headers (Wine's)
// draw an item's sort arrow, image or bitmap straight onto the window whatever
// device context they are given: while an item shows one, the header paints
// straight onto the screen.
void PaintHeaderThroughBitmap(HWND header);

}  // namespace qm::win32
