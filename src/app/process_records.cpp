#include "app/process_records.h"

#include <windows.h>

#include "win32/locale/clock.h"
#include "win32/settings/settings_store.h"

namespace qm {

namespace {

RectRecord DesktopRectangle() {
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    return {desktop.left, desktop.top, desktop.right, desktop.bottom};
}

// Members are built in declaration order: the settings, the fifteen presets,
// then the fonts; the fonts are released when the process ends.
struct ProcessRecords {
    AppSettings settings = MakeDefaultAppSettings(DesktopRectangle(), win32::SystemNowFileTime());
    PresetArray presets = MakeDefaultPresets(win32::SystemNowFileTime());
    FontSet fonts = CreateFontSet(GetModuleHandleW(nullptr));

    ProcessRecords() = default;
    ProcessRecords(const ProcessRecords&) = delete;
    ProcessRecords& operator=(const ProcessRecords&) = delete;
    ~ProcessRecords() { ReleaseFontSet(fonts); }
};

ProcessRecords records;

}  // namespace

AppSettings& Settings() { return records.settings; }
PresetArray& Presets() { return records.presets; }
const FontSet& Fonts() { return records.fonts; }

std::wstring& SettingsFileLocation() {
    static std::wstring location = win32::SettingsFilePath();
    return location;
}

}  // namespace qm
