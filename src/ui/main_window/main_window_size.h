#pragma once
// The smallest the main window may be made: everything above the lists stays
// whole, and the lists keep room for their headers and a few rows.
#include <windows.h>

namespace qm {

// Dialog units of the client area: the right edge of the preset hints, and
// the lists' top with the status row and a few rows between.
inline constexpr int MinimumClientWidthUnits = 880;
inline constexpr int MinimumClientHeightUnits = 140;

// WM_GETMINMAXINFO: the minimum tracking size in window pixels.
void LimitMainWindowSize(HWND window, MINMAXINFO& limits);

}  // namespace qm
