#pragma once
// The fifteen preset buttons: a click applies its preset, Ctrl+Shift+click
// stores the window's options into it, Shift+click edits its label.
#include <windows.h>

#include "core/settings/app_settings.h"
#include "core/settings/preset.h"

namespace qm {

// The slot (0 to 14) of a preset button's id, or -1.
int PresetSlotOfButton(int controlId);
// The button id of a slot.
int PresetButtonOfSlot(int slot);

enum class PresetAction { Apply, Capture, EditLabel, Nothing };

// What a click does with the Shift and Ctrl keys held or not.
PresetAction PresetClickAction(bool shiftHeld, bool ctrlHeld, std::uint32_t settingsFlags);

// Applies the preset to the window's controls and the live settings.
void ApplyPreset(const Preset& preset, HWND window, AppSettings& settings);

// Stores the window's options into the preset; the label stays.
void CapturePreset(Preset& preset, HWND window, const AppSettings& settings);

// A click on the button of `slot`, decided by the keys held now. True when
// the preset was applied to the window, whose preview is then the caller's.
bool ClickPreset(HWND window, int slot);

}  // namespace qm
