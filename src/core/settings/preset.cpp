#include "core/settings/preset.h"

#include <string>

namespace qm {

Preset MakeDefaultPreset(int slotNumber, std::uint64_t nowFileTime) {
    Preset preset;
    std::u16string label = u"Preset ";
    for (char c : std::to_string(slotNumber)) label.push_back(static_cast<char16_t>(c));
    preset.label = label;
    preset.filetime = nowFileTime;
    return preset;
}

PresetArray MakeDefaultPresets(std::uint64_t nowFileTime) {
    PresetArray presets;
    for (int i = 0; i < PresetCount; ++i) presets[i] = MakeDefaultPreset(i + 1, nowFileTime);
    return presets;
}

}  // namespace qm
