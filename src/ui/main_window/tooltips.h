#pragma once
// The tips of the main window's symbol buttons, "CURRENT" and the preset buttons.
#include <windows.h>

#include "app/font_set.h"
#include "core/settings/preset.h"

namespace qm {

// Gives the buttons their fonts, in the order of the window's opening.
void SetButtonFonts(HWND mainWindow, const FontSet& fonts);

// Once the window is on screen, since no tip shows before the pointer rests,
// and a step at a time, each of at most one tooltip window, so that the window
// answers between them: steps 0 to TipStepCount() - 1 give each symbol button
// and "CURRENT" whose font exists its tip, in the same order, then the
// time-stamp radios and the other controls theirs, then each preset's button
// its label (as it is at its step). False when a tip window (other than a
// preset's) could not be made.
int TipStepCount();
bool MakeTipsOfStep(HWND mainWindow, const FontSet& fonts, PresetArray& presets, int step);

}  // namespace qm
