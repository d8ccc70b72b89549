#include "win32/settings/settings_store.h"

#include <new>
#include <vector>

#include "core/settings_file/settings_file.h"
#include "core/settings_file/settings_file_form.h"
#include "win32/settings/settings_file_io.h"
#include "win32/settings/settings_list_controls.h"
#include "win32/settings/settings_lock.h"
#include "win32/files/program_folder.h"

namespace qm::win32 {

namespace {

// The file as the readers take it: UTF-16, converted when it came as UTF-8.
struct SettingsBytes {
    FileBytes file;
    std::vector<std::uint8_t> converted;
    std::span<const std::uint8_t> bytes() const { return converted.empty() ? file.bytes() : converted; }
};

// -1 when there is no file, or one that cannot be read or is in no form we
// know, which `unreadable` then marks as never to be written over.
int ReadLocked(AppSettings& settings, const std::wstring& path, SettingsBytes& out, bool* unreadable) {
    int result = 0;
    {
        SettingsLockHold hold(settings);
        bool missing = false;
        result = ReadFileBytes(path, out.file, &missing);
        if (result != 0) {
            if (unreadable && !missing && !path.empty()) *unreadable = true;
            return result;
        }
    }
    const SettingsFileForm form = FormOfSettingsFile(out.file.bytes());
    if (form == SettingsFileForm::Utf8) {
        try {
            out.converted = Utf16BytesOfUtf8File(out.file.bytes());
        } catch (const std::bad_alloc&) {
            result = -1;
        }
    }
    if (form == SettingsFileForm::Neither) result = -1;
    if (result != 0 && unreadable) *unreadable = true;
    return result;
}

}  // namespace

std::wstring SettingsFilePath() { return ProgramFolderFile(L"settings.ini"); }

int ReadSettings(AppSettings& settings) { return ReadSettings(settings, SettingsFilePath()); }

int ReadSettings(AppSettings& settings, const std::wstring& path, bool* unreadable) {
    SettingsBytes bytes;
    if (ReadLocked(settings, path, bytes, unreadable) != 0) return -1;
    ReadSettingsFromFileBytes(bytes.bytes(), settings);
    return 0;
}

int ReadListsAndPresets(AppSettings& settings, HWND mainWindow, PresetArray& presets) {
    return ReadListsAndPresets(settings, mainWindow, presets, SettingsFilePath());
}

int ReadListsAndPresets(AppSettings& settings, HWND mainWindow, PresetArray& presets,
                        const std::wstring& path, bool* unreadable) {
    SettingsBytes bytes;
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
