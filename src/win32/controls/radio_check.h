#pragma once
// Checking one radio button of a group without touching the others.
#include <windows.h>

namespace qm::win32 {

// Checks `button`, an automatic radio button, and leaves its group as it is.
// Wine's BM_SETCHECK unchecks the rest of an automatic radio button's group,
// walking the dialog's children from the first at each step (some 230 server
// requests for the main window's stamps); the system's own leaves the group
// alone. The caller unchecks what must not stay checked.
void CheckRadioButtonAlone(HWND button);

}  // namespace qm::win32
