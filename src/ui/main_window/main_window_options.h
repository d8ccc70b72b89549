#pragma once
// Moving the stored options between the settings record and the main window's
// controls: applied once when the window opens, captured when it closes.
#include <windows.h>

#include "core/settings/app_settings.h"

namespace qm {

// Opening steps: check boxes, transparency, counter ranges and positions, the
// date picker.
void ApplySettingsToMainWindow(HWND window, const AppSettings& settings);

// Placement and top-most state, applied after everything else is in place.
void ApplyMainWindowPlacement(HWND window, AppSettings& settings);

// Closing steps: flag words, counters, picker time, column widths, placement.
void CaptureMainWindowSettings(HWND window, AppSettings& settings);

}  // namespace qm
