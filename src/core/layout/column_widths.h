#pragma once
// Column widths are kept as they would be at 96 dots per inch, so that widths
// stored on one screen look the same on another; the window scales them when
// it shows them and back when it stores them.
#include <cstdint>

namespace qm {

inline constexpr int StoredWidthDpi = 96;

// The pixels a stored width takes on a screen of `dpi`, rounded to the nearest.
int WidthOnScreen(std::int32_t stored, int dpi);

// The stored width of `pixels` on a screen of `dpi`; for every dpi of 96 or
// more, WidthToStore(WidthOnScreen(w, dpi), dpi) gives w back.
std::int32_t WidthToStore(int pixels, int dpi);

}  // namespace qm
