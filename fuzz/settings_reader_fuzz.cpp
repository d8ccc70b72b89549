// Arbitrary bytes as a settings file: the three reads must never crash, hang or
// overrun, and whatever they yield must survive being written and read again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "core/settings_file/settings_file.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

bool SameStoredSettings(const qm::AppSettings& a, const qm::AppSettings& b) {
    const auto& p = a.MainDlgWP;
    const auto& q = b.MainDlgWP;
    return a.TimeFormat == b.TimeFormat && a.LastPath == b.LastPath && a.Spacer == b.Spacer &&
           p.length == q.length && p.flags == q.flags && p.showCmd == q.showCmd &&
           p.minX == q.minX && p.minY == q.minY && p.maxX == q.maxX && p.maxY == q.maxY &&
           p.left == q.left && p.top == q.top && p.right == q.right && p.bottom == q.bottom &&
           a.SettingsDlgXY.x == b.SettingsDlgXY.x && a.SettingsDlgXY.y == b.SettingsDlgXY.y &&
           a.AddExtDlgXY.x == b.AddExtDlgXY.x && a.AddExtDlgXY.y == b.AddExtDlgXY.y &&
           a.FileTime == b.FileTime && a.FileListCols == b.FileListCols &&
           a.Opacity == b.Opacity && a.Zeros == b.Zeros && a.Offset == b.Offset &&
           a.SettingsFlags == b.SettingsFlags && a.MainControlFlags == b.MainControlFlags &&
           a.RenameFlags == b.RenameFlags && a.DateTimeFlags == b.DateTimeFlags &&
           a.AttributeFlags == b.AttributeFlags && a.ExtensionFlags == b.ExtensionFlags &&
           a.GeneralFlags == b.GeneralFlags;
}

bool SamePreset(const qm::Preset& a, const qm::Preset& b) {
    return a.label == b.label && a.timeformat == b.timeformat && a.prefix == b.prefix &&
           a.suffix == b.suffix && a.spacer == b.spacer && a.filetime == b.filetime &&
           a.offset == b.offset && a.zeros == b.zeros && a.maincontrolflags == b.maincontrolflags &&
           a.renameflags == b.renameflags && a.datetimeflags == b.datetimeflags &&
           a.attribflags == b.attribflags && a.extflags == b.extflags;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);

    qm::AppSettings settings = qm::MakeDefaultAppSettings({0, 0, 1024, 768}, 1);
    qm::ReadSettingsFromFileBytes(bytes, settings);
    qm::SettingsLists lists;
    qm::PresetArray presets = qm::MakeDefaultPresets(1);
    qm::ReadListsAndPresetsFromFileBytes(bytes, lists, presets);

    Require(settings.TimeFormat.size() <= 1000 && settings.LastPath.size() <= 260 &&
            settings.Spacer.size() <= 1);
    for (const qm::Preset& p : presets)
        Require(p.label.size() <= 25 && p.timeformat.size() <= 1000 && p.prefix.size() <= 260 &&
                p.suffix.size() <= 260 && p.spacer.size() <= 1);
    // No line is longer than the 1023-unit buffer, so no list text can be either.
    for (const qm::HistoryList* h : {&lists.prefix, &lists.suffix}) {
        Require(h->current.size() <= 1023);
        for (const auto& entry : h->entries) Require(entry.size() <= 1023);
    }
    for (const qm::ExtensionRow& row : lists.extensions)
        Require(row.from.size() + row.to.size() <= 1021);

    // The record and the presets, once read, come back unchanged from a write.
    const std::vector<std::uint8_t> written = qm::WriteSettingsFileBytes(settings, lists, presets);
    qm::AppSettings again = qm::MakeDefaultAppSettings({0, 0, 1024, 768}, 2);
    qm::ReadSettingsFromFileBytes(written, again);
    Require(SameStoredSettings(again, settings));
    qm::SettingsLists listsAgain;
    qm::PresetArray presetsAgain = qm::MakeDefaultPresets(2);
    qm::ReadListsAndPresetsFromFileBytes(written, listsAgain, presetsAgain);
    for (std::size_t i = 0; i < presets.size(); ++i) Require(SamePreset(presetsAgain[i], presets[i]));
    Require(listsAgain.prefix.entries.size() <= 100 && listsAgain.suffix.entries.size() <= 100);
    return 0;
}
