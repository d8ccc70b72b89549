#pragma once
// Which check box or radio button of the main window stands for which bit of
// which flag word.
#include <windows.h>

#include <cstdint>
#include <span>

namespace qm {

struct FlagControl {
    int controlId;
    std::uint32_t bit;
};

std::span<const FlagControl> MainControlFlagControls();
std::span<const FlagControl> RenameFlagControls();
std::span<const FlagControl> DateTimeFlagControls();
std::span<const FlagControl> AttributeFlagControls();
std::span<const FlagControl> ExtensionFlagControls();
std::span<const FlagControl> GeneralFlagControls();

// Checks every control whose bit is set in `word`, of the radio buttons the
// last whose bit is set, the others of its group unchecked; when `clearOthers`, also
// unchecks the controls whose bit is clear.
void ApplyFlagWord(HWND window, std::span<const FlagControl> controls, std::uint32_t word,
                   bool clearOthers);

// The word made of the bits of the controls that are exactly checked.
std::uint32_t CaptureFlagWord(HWND window, std::span<const FlagControl> controls);

}  // namespace qm
