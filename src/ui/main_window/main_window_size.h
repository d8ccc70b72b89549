#pragma once
// The smallest the main window may be made: everything above the lists stays
// whole, and the lists keep room for their headers and a few rows.
#include <windows.h>

namespace qm {

// Dialog units of the client area: the lists' top, under the option groups,
// the buttons and the line about the preset buttons.
inline constexpr int ListTopUnits = 102;
// The right edge of the option groups, and the lists' top with the status row
// and a few rows between.
inline constexpr int MinimumClientWidthUnits = 800;
inline constexpr int MinimumClientHeightUnits = ListTopUnits + 50;

// WM_GETMINMAXINFO: the minimum tracking size in window pixels.
void LimitMainWindowSize(HWND window, MINMAXINFO& limits);

}  // namespace qm
