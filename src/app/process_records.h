#pragma once
// The process-wide records, built on the main thread before the entry point
// runs and used by the user-interface thread while it runs. Thread start and
// the posted end message order every access, so no lock guards them.
#include <string>

#include "app/font_set.h"
#include "core/settings/app_settings.h"
#include "core/settings/preset.h"

namespace qm {

AppSettings& Settings();
PresetArray& Presets();
const FontSet& Fonts();

// The settings file that the main window reads when it opens and writes when
// it closes: "settings.ini" beside the executable. Tests point it elsewhere.
std::wstring& SettingsFileLocation();

}  // namespace qm
