#pragma once
// Editing the multiple-selection history list boxes of the settings window.
#include <windows.h>

namespace qm {

// Removes every selected item; -1 when none is selected, 0 otherwise.
int DeleteSelectedListItems(HWND listBox);

// Selects (true) or deselects (false) every item.
void SelectAllListItems(HWND listBox, bool select);

}  // namespace qm
