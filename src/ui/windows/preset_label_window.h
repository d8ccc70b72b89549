#pragma once
// The Preset Label window (dialog template 1700): renames one preset, whose
// button's tooltip shows the new label at once.
#include <windows.h>

namespace qm {

// Modal over `mainWindow`; `slot` is the preset's index, 0 to 14 (others are ignored).
void OpenPresetLabelWindow(HWND mainWindow, int slot);

INT_PTR CALLBACK PresetLabelDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace qm
