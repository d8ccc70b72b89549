#pragma once
// The "[SETTINGS]" section: the stored fields of AppSettings.
#include <string>

#include "core/settings/app_settings.h"
#include "core/settings_file/settings_line_reader.h"

namespace qm {

inline constexpr std::u16string_view SettingsSectionHeader = u"[SETTINGS]";

// Reads the key lines that follow the header, up to a line that starts with a
// line break or the end of the data. Keys that are missing keep their field.
void ReadSettingsSectionBody(SettingsLineReader& reader, AppSettings& settings);

// Appends the header and the key lines (no empty line after them).
void AppendSettingsSection(std::u16string& out, const AppSettings& settings);

}  // namespace qm
