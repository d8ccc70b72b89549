#pragma once
// Keeps a plain click or arrow key in a large virtual list view quick.
#include <windows.h>

namespace qm::win32 {

// Some list view implementations (Wine's among them) clear the selection of a
// virtual list by visiting every row, so that each plain click or arrow key in
// a list of 100,000 rows costs that many steps. When exactly one row is
// selected and it is the selection mark, as after any plain click, that row
// is deselected on its own first, leaving the list nothing to clear. The
// outcome is the same on every implementation.
void KeepSelectionChangesQuick(HWND listView);

}  // namespace qm::win32
