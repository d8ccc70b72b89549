#pragma once
// A "[PRESET<n>]" section: the 13 keys of one preset.
#include <string>

#include "core/settings/preset.h"
#include "core/settings_file/settings_line_reader.h"

namespace qm {

// The header of slot `slotNumber` (1 to 15), "[PRESET<n>]".
std::u16string PresetSectionHeader(int slotNumber);

// Reads key lines up to an empty line or the end of the data and overwrites
// the fields whose keys it finds; the rest keep their values.
void ReadPresetSectionBody(SettingsLineReader& reader, Preset& preset);

// Appends the 13 key lines (neither the header nor the empty line after them).
void AppendPresetKeys(std::u16string& out, const Preset& preset);

}  // namespace qm
