#include "win32/settings_store.h"

#include "core/settings/settings_file.h"
#include "win32/settings_file_io.h"
#include "win32/settings_list_controls.h"
#include "win32/settings_lock.h"
#include "win32/program_folder.h"

namespace qm::win32 {

namespace {

int ReadLocked(AppSettings& settings, const std::wstring& path, FileBytes& bytes, bool* unreadable) {
    SettingsLockHold hold(settings);
    bool missing = false;
    const int result = ReadFileBytes(path, bytes, &missing);
    if (unreadable && result != 0 && !missing && !path.empty()) *unreadable = true;
    return result;
}

}  // namespace

std::wstring SettingsFilePath() { return ProgramFolderFile(L"settings.ini"); }

int ReadSettings(AppSettings& settings) { return ReadSettings(settings, SettingsFilePath()); }

int ReadSettings(AppSettings& settings, const std::wstring& path, bool* unreadable) {
    FileBytes bytes;
    if (ReadLocked(settings, path, bytes, unreadable) != 0) return -1;
    ReadSettingsFromFileBytes(bytes.bytes(), settings);
    return 0;
}

int ReadListsAndPresets(AppSettings& settings, HWND mainWindow, PresetArray& presets) {
    return ReadListsAndPresets(settings, mainWindow, presets, SettingsFilePath());
}

int ReadListsAndPresets(AppSettings& settings, HWND mainWindow, PresetArray& presets,
                        const std::wstring& path, bool* unreadable) {
    FileBytes bytes;
    if (ReadLocked(settings, path, bytes, unreadable) != 0) return -1;
    SettingsLists lists = CurrentTextsOfControls(mainWindow);
    ReadListsAndPresetsFromFileBytes(bytes.bytes(), lists, presets);
    AppendListsToControls(mainWindow, lists);
    return 0;
}

int WriteAllSettings(AppSettings& settings, HWND mainWindow, const PresetArray& presets) {
    return WriteAllSettings(settings, mainWindow, presets, SettingsFilePath());
}

int WriteAllSettings(AppSettings& settings, HWND mainWindow, const PresetArray& presets,
                     const std::wstring& path) {
    if (path.empty()) return -1;  // the program's folder is unknown: nothing to write to
    const std::vector<std::uint8_t> bytes =
        WriteSettingsFileBytes(settings, ReadListsFromControls(mainWindow), presets);
    SettingsLockHold hold(settings);
    return ReplaceFileContents(path, bytes);
}

}  // namespace qm::win32
