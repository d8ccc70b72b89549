#pragma once
// The pop-up menu of the main window: almost every option and button again,
// each choice acting through the control that it stands for.
#include <windows.h>

namespace qm {

// A new pop-up menu with its six submenus, check marks taken from the main
// window's controls now. The caller destroys it.
HMENU BuildFileListMenu(HWND mainWindow);

// Does what the chosen item stands for: checks, unchecks or selects its
// control where it has a check mark, then posts the control's command to the
// main window. 0 (the menu was dismissed) and unknown ids do nothing.
void ActOnFileListMenuChoice(HWND mainWindow, int itemId);

// Builds the menu, shows it with its bottom-left corner at the mouse pointer,
// destroys it and acts on the choice.
void ShowFileListMenu(HWND mainWindow);

}  // namespace qm
