#include "ui/options/preset_buttons.h"

#include <commctrl.h>
#include <mmsystem.h>

#include "app/process_records.h"
#include "core/settings/flags.h"
#include "resource_ids.h"
#include "ui/options/date_picker.h"
#include "ui/options/flag_controls.h"
#include "ui/options/history_box.h"
#include "ui/options/name_options.h"
#include "ui/options/offset_counter.h"
#include "ui/options/option_groups.h"
#include "ui/windows/preset_label_window.h"
#include "ui/options/red_frames.h"
#include "win32/controls/dialog_items.h"

namespace qm {

namespace {

constexpr std::size_t PresetTextLength = 260;

// A preset does not carry the "Accessed" box.
constexpr FlagControl PresetDateControls[] = {
    {IDC_DATE_AUTO, DateTime::Auto},
    {IDC_DATE_CREATED, DateTime::Created},
    {IDC_DATE_MODIFIED, DateTime::Modified},
    {IDC_DATE_TAKEN, DateTime::Taken},
};

std::u16string Limited(std::u16string text) {
    if (text.size() > PresetTextLength) text.resize(PresetTextLength);
    return text;
}

void PlayDefaultSound() { PlaySoundW(reinterpret_cast<LPCWSTR>(SND_ALIAS_SYSTEMDEFAULT), nullptr, SND_ALIAS_ID | SND_ASYNC); }

}  // namespace

int PresetSlotOfButton(int controlId) {
    if (controlId == IDC_PRESET_1) return 0;
    if (controlId >= IDC_PRESET_2 && controlId <= IDC_PRESET_15) return controlId - IDC_PRESET_2 + 1;
    return -1;
}

int PresetButtonOfSlot(int slot) { return slot == 0 ? IDC_PRESET_1 : IDC_PRESET_2 + slot - 1; }

PresetAction PresetClickAction(bool shiftHeld, bool ctrlHeld, std::uint32_t settingsFlags) {
    if (shiftHeld && ctrlHeld) return PresetAction::Capture;
    if (shiftHeld) return PresetAction::EditLabel;
    if ((settingsFlags & SettingsOption::CtrlClickForPresets) && !ctrlHeld) return PresetAction::Nothing;
    return PresetAction::Apply;
}

void ApplyPreset(const Preset& preset, HWND window, AppSettings& settings) {
    SetBoxText(win32::DialogItem(window, IDC_PREFIX_BOX), preset.prefix.view());
    SetBoxText(win32::DialogItem(window, IDC_SUFFIX_BOX), preset.suffix.view());
    SetBoxText(win32::DialogItem(window, IDC_FIND_BOX), preset.find.view());
    SetBoxText(win32::DialogItem(window, IDC_REPLACE_BOX), preset.replace.view());
    settings.TimeFormat = preset.timeformat.view();
    settings.Spacer = preset.spacer.view();
    SetOffset(window, preset.offset);
    SetStep(window, preset.step);
    win32::SendDialogItem(window, IDC_ZEROS_UPDOWN, UDM_SETPOS, 0, static_cast<std::uint32_t>(preset.zeros) & 0xFFFF);
    settings.FileTime = preset.filetime;
    ShowFileTimeInPicker(win32::DialogItem(window, IDC_DATE_PICKER), preset.filetime);
    ApplyFlagWord(window, MainControlFlagControls(), preset.maincontrolflags, true);
    ApplyFlagWord(window, RenameFlagControls(), preset.renameflags, true);
    ApplyFlagWord(window, PresetDateControls, preset.datetimeflags, true);
    ApplyFlagWord(window, AttributeFlagControls(), preset.attribflags, true);
    ApplyFlagWord(window, ExtensionFlagControls(), preset.extflags, true);
    ShowRedFrame(window, IDC_PREFIX_FRAME, preset.renameflags & Rename::PrefixAuto);
    ShowRedFrame(window, IDC_SUFFIX_FRAME, preset.renameflags & Rename::SuffixAuto);
    ShowRedFrame(window, IDC_DATE_FRAME, preset.datetimeflags & DateTime::Auto);
    ChooseNameCase(window, preset.namecase);
    settings.NameList = preset.namelist.view();
    ShowNameListTip(window);
}

void CapturePreset(Preset& preset, HWND window, const AppSettings& settings) {
    preset.prefix = Limited(BoxText(win32::DialogItem(window, IDC_PREFIX_BOX)));
    preset.suffix = Limited(BoxText(win32::DialogItem(window, IDC_SUFFIX_BOX)));
    preset.find = Limited(BoxText(win32::DialogItem(window, IDC_FIND_BOX)));
    preset.replace = Limited(BoxText(win32::DialogItem(window, IDC_REPLACE_BOX)));
    preset.timeformat = settings.TimeFormat.view();
    preset.spacer = settings.Spacer.view();
    preset.offset = OffsetValue(window);
    preset.step = StepValue(window);
    preset.zeros = LOWORD(win32::SendDialogItem(window, IDC_ZEROS_UPDOWN, UDM_GETPOS, 0, 0));
    if (const auto picked = PickerFileTime(win32::DialogItem(window, IDC_DATE_PICKER))) preset.filetime = *picked;
    preset.maincontrolflags = CaptureFlagWord(window, MainControlFlagControls());
    preset.renameflags = CaptureFlagWord(window, RenameFlagControls());
    preset.datetimeflags = CaptureFlagWord(window, PresetDateControls);
    preset.attribflags = CaptureFlagWord(window, AttributeFlagControls());
    preset.extflags = CaptureFlagWord(window, ExtensionFlagControls());
    preset.namecase = ChosenNameCase(window);
    preset.namelist = settings.NameList.view();
}

bool ClickPreset(HWND window, int slot) {
    if (slot < 0 || slot >= PresetCount) return false;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    Preset& preset = Presets()[static_cast<std::size_t>(slot)];
    switch (PresetClickAction(shift, ctrl, Settings().SettingsFlags)) {
    case PresetAction::Capture:
        CapturePreset(preset, window, Settings());
        PlayDefaultSound();
        break;
    case PresetAction::EditLabel:
        OpenPresetLabelWindow(window, slot);
        break;
    case PresetAction::Nothing:
        break;
    case PresetAction::Apply:
        ApplyPreset(preset, window, Settings());
        EnableOptionGroups(window, 1);
        PlayDefaultSound();
        return true;
    }
    return false;
}

}  // namespace qm
