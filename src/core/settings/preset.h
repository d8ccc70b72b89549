#pragma once
// One of the fifteen stored option sets of the main window.
#include <array>
#include <cstdint>

#include "core/settings/app_settings.h"

namespace qm {

inline constexpr int PresetCount = 15;
inline constexpr std::size_t PresetLabelWidth = 26;

struct Preset {
    FixedText<PresetLabelWidth> label{};
    void* tipwindow = nullptr;     // tooltip window of the preset's button; not stored
    void* buttonwindow = nullptr;  // the preset's button; not stored
    FixedText<TimeFormatWidth> timeformat{DefaultTimeFormat};
    FixedText<PathWidth> prefix{u"Prefix"};
    FixedText<PathWidth> suffix{u"Suffix"};
    FixedText<3> spacer{u"_"};
    std::uint64_t filetime = 0;    // UTC file time
    std::int32_t offset = 1;
    std::int32_t zeros = 4;
    std::uint32_t maincontrolflags = MainControl::FileNames | MainControl::Extensions;
    std::uint32_t renameflags = Rename::Prefix | Rename::Suffix | Rename::StampUnix |
                                Rename::PrefixSpacer | Rename::SuffixSpacer;
    std::uint32_t datetimeflags = DateTime::Created | DateTime::Modified;
    std::uint32_t attribflags = Attribute::Archive;
    std::uint32_t extflags = 0;
    FixedText<PathWidth> find{};     // "Find and replace"; its two boxes travel in renameflags
    FixedText<PathWidth> replace{};
    std::int32_t step = 1;           // the "Step" box
    std::uint32_t namecase = 0;      // "Case"; "From List" travels in renameflags, its file here
    FixedText<PathWidth> namelist{};
};

using PresetArray = std::array<Preset, PresetCount>;

// Defaults of the preset in slot `slotNumber` (1 to 15), labelled "Preset <n>".
Preset MakeDefaultPreset(int slotNumber, std::uint64_t nowFileTime);

// The fifteen presets with their defaults, built in slot order.
PresetArray MakeDefaultPresets(std::uint64_t nowFileTime);

}  // namespace qm
