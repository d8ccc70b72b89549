#pragma once
// The tips of the main window's symbol buttons, "CURRENT" and the preset buttons.
#include <windows.h>

#include "app/font_set.h"
#include "core/settings/preset.h"

namespace qm {

// Gives the buttons their fonts, each symbol button and "CURRENT" with its tip,
// in the order of the window's opening, then the time-stamp radios and the
// picture their tips. False when a tip window could not be made.
bool SetButtonFontsAndTips(HWND mainWindow, const FontSet& fonts);

// Gives a preset's button the preset's label as its tip and keeps both windows
// in the preset.
void AttachPresetTip(Preset& preset, HWND button);

}  // namespace qm
