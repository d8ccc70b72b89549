#pragma once
// The main window's alpha while "Transparent" is on: the low byte of Opacity,
// kept within what the settings window offers, so that a hand-edited file can
// never make the window invisible and its settings unreachable.
#include <algorithm>
#include <cstdint>

namespace qm {

inline constexpr std::uint8_t LeastWindowAlpha = 70;

constexpr std::uint8_t WindowAlpha(std::uint32_t opacity) {
    return static_cast<std::uint8_t>(std::max<std::uint32_t>(opacity & 0xFF, LeastWindowAlpha));
}

}  // namespace qm
