#pragma once
// The whole settings file, "settings.ini", on plain data: its bytes in, the
// settings record, lists and presets out, and back. UTF-16 little-endian with
// byte-order mark, CR LF line ends.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/settings/app_settings.h"
#include "core/settings/preset.h"
#include "core/settings/settings_lists.h"

namespace qm {

// The first line, whatever the executable is called; readers ignore it.
inline constexpr std::u16string_view SettingsFileFirstLine = u"Quillmoth.exe 6.0.2.236";

// Fills `settings` from the first "[SETTINGS]" section; a header that does not
// match its line exactly, or a key that is missing, leaves fields as they were.
// The rest of the file is not read.
void ReadSettingsFromFileBytes(std::span<const std::uint8_t> bytes, AppSettings& settings);

// Reads every "[PREFIX]", "[SUFFIX]", "[EXTENSIONS]", "[FIND]", "[REPLACE]" and "[PRESET<n>]" section
// in file order: a history's first line replaces its current text and further
// lines are appended to its entries; rows are appended to the extensions; a
// preset is overwritten key by key.
void ReadListsAndPresetsFromFileBytes(std::span<const std::uint8_t> bytes, SettingsLists& lists,
                                      PresetArray& presets);

// The whole file: settings, the prefix and suffix histories (at most 100
// entries each), the extension rows, the find and replace histories (as the
// others) and the fifteen presets.
std::vector<std::uint8_t> WriteSettingsFileBytes(const AppSettings& settings,
                                                 const SettingsLists& lists,
                                                 const PresetArray& presets);

}  // namespace qm
