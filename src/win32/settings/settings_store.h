#pragma once
// The three operations on "settings.ini": read the settings record, read the
// lists and presets into the main window, and write everything back. Each
// holds SettingsLock while it touches the file. Results are 0 when done and
// -1 when the file could not be read or written. The file is read as UTF-16
// (as written) or as UTF-8, with or without a byte-order mark.
#include <windows.h>

#include <string>

#include "core/settings/app_settings.h"
#include "core/settings/preset.h"

namespace qm::win32 {

// The executable's folder with "settings.ini" appended; empty when the
// executable's path does not fit the 1024-unit buffer.
std::wstring SettingsFilePath();

// Fills the stored fields of `settings` from the "[SETTINGS]" section.
// `unreadable`, when given, is set when the file is there but could not be
// read, or is in neither form: it must then not be written over with what the
// program has instead.
int ReadSettings(AppSettings& settings);
int ReadSettings(AppSettings& settings, const std::wstring& path, bool* unreadable = nullptr);

// Appends the histories to boxes 1015 and 1016 and the rows to list 1082 of
// `mainWindow`, and overwrites preset fields for which the file has keys.
int ReadListsAndPresets(AppSettings& settings, HWND mainWindow, PresetArray& presets);
int ReadListsAndPresets(AppSettings& settings, HWND mainWindow, PresetArray& presets,
                        const std::wstring& path, bool* unreadable = nullptr);

// Writes the whole file anew from `settings`, the controls of `mainWindow`
// and `presets`. The old file is replaced only once the new one is complete.
int WriteAllSettings(AppSettings& settings, HWND mainWindow, const PresetArray& presets);
int WriteAllSettings(AppSettings& settings, HWND mainWindow, const PresetArray& presets,
                     const std::wstring& path);

}  // namespace qm::win32
