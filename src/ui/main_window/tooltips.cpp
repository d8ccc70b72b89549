#include "ui/main_window/tooltips.h"

#include <commctrl.h>

#include <iterator>

#include "resource_ids.h"
#include "ui/support/tip_window.h"
#include "ui/options/preset_buttons.h"
#include "win32/controls/dialog_items.h"

namespace qm {

namespace {

enum class Font { Small, Big, Symbol };

struct ButtonRow {
    int controlId;
    Font font;
    const wchar_t* tip;  // null: no tip
};

// In the order the window gives them their fonts and tips.
constexpr ButtonRow Buttons[] = {
    {IDC_CURRENT_TIME, Font::Small, L"current date"},
    {IDC_START, Font::Big, nullptr},
    {IDC_CLEAR, Font::Big, nullptr},
    {IDC_ADD, Font::Big, nullptr},
    {IDC_ROW_UP, Font::Symbol, L"up"},
    {IDC_ROW_DOWN, Font::Symbol, L"down"},
    {IDC_UNDO, Font::Symbol, L"undo"},
    {IDC_HELP_BUTTON, Font::Symbol, L"help"},
    {IDC_SETTINGS_BUTTON, Font::Symbol, L"settings"},
    {IDC_EXT_ADD, Font::Symbol, L"add extension"},
    {IDC_EXT_DELETE, Font::Symbol, L"delete extension"},
    {IDC_EXT_UP, Font::Symbol, L"up"},
    {IDC_EXT_DOWN, Font::Symbol, L"down"},
};

struct PlainTip {
    int controlId;
    const wchar_t* tip;
};

// Controls whose caption alone leaves a newcomer asking; their tips need no font.
constexpr PlainTip PlainTips[] = {
    {IDC_STAMP_UNIX, L"seconds since 1970"},
    {IDC_STAMP_WIN32, L"100-nanosecond steps since 1601"},
    {IDC_STAMP_CURRENT, L"now, through the time format"},
    {IDC_STAMP_PRESET, L"the date picker's time, through the time format"},
    {IDC_STAMP_TAKEN, L"each photo's own date taken, through the time format"},
    {IDC_DATE_TAKEN, L"each photo's own date taken, not the date above"},
    {IDC_PICTURE, L"About Quillmoth"},
    {IDC_KEEP_NAME, L"keep the old name, after the prefix"},
    {IDC_NO_NUMBER, L"no running number in the name"},
    {IDC_FIND_BOX, L"text to find in the old name"},
    {IDC_REPLACE_BOX, L"text that replaces it ($1 for a group)"},
    {IDC_FIND_REGEX, L"find a regular expression"},
    {IDC_FIND_MATCH_CASE, L"upper and lower case differ"},
    {IDC_ADD_FOLDER, L"add every file of a folder"},
    {IDC_STEP_EDIT, L"how much each number is above the one before (10: 1, 11, 21...)"},
    {IDC_STEP_UPDOWN, L"how much each number is above the one before (10: 1, 11, 21...)"},
    {IDC_PER_FOLDER, L"each folder's files count from the offset on their own"},
    {IDC_PREFIX_FOLDER, L"the name of each file's own folder as the prefix"},
    {IDC_SUFFIX_FOLDER, L"the name of each file's own folder as the suffix"},
    {IDC_NAME_CASE, L"the case of the whole new name, after every other option"},
    {IDC_FROM_LIST_PICK, L"pick the text file of names, one a line"},
};

// A combo box's mouse messages go to its edit field, so the tip sits there.
HWND TipTarget(HWND control) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (GetComboBoxInfo(control, &info) && info.hwndItem) return info.hwndItem;
    return control;
}

HFONT FontOf(const FontSet& fonts, Font font) {
    switch (font) {
    case Font::Small: return fonts.smallFont;
    case Font::Big: return fonts.bigFont;
    case Font::Symbol: return fonts.symbolFont;
    }
    return nullptr;
}

}  // namespace

void SetButtonFonts(HWND mainWindow, const FontSet& fonts) {
    // Redrawn only when it shows: before the window is on screen its first
    // paint draws every button, and a redraw asked for costs a round trip each.
    const BOOL redraw = IsWindowVisible(mainWindow);
    for (const ButtonRow& row : Buttons)
        if (HFONT font = FontOf(fonts, row.font))  // without it the button keeps the dialog font
            SendMessageW(win32::DialogItem(mainWindow, row.controlId), WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
}

int TipStepCount() { return static_cast<int>(std::size(Buttons)) + 1 + PresetCount; }

bool MakeTipsOfStep(HWND mainWindow, const FontSet& fonts, PresetArray& presets, int step) {
    const int buttonSteps = static_cast<int>(std::size(Buttons));
    if (step < 0 || step >= TipStepCount()) return true;
    if (step < buttonSteps) {
        const ButtonRow& row = Buttons[step];
        // A button that kept the dialog font shows a letter, which needs no tip.
        if (!row.tip || !FontOf(fonts, row.font)) return true;
        return MakeTip(mainWindow, win32::DialogItem(mainWindow, row.controlId), row.tip) != nullptr;
    }
    if (step == buttonSteps) {
        // One tooltip window holds them all: each window of its own cost the
        // window's first moments after it showed (under Wine some 5 ms a window).
        HWND plainTips = MakeTipWindow(mainWindow);
        if (!plainTips) return false;
        for (const PlainTip& row : PlainTips) AddTip(plainTips, TipTarget(win32::DialogItem(mainWindow, row.controlId)), row.tip);
        return true;
    }
    const int slot = step - buttonSteps - 1;
    Preset& preset = presets[static_cast<std::size_t>(slot)];
    HWND button = win32::DialogItem(mainWindow, PresetButtonOfSlot(slot));
    preset.buttonwindow = button;
    // The label as it stands now, should it have changed since the window opened.
    const std::wstring label(preset.label.view().begin(), preset.label.view().end());
    preset.tipwindow = MakeTip(button, button, label.c_str());
    return true;
}

}  // namespace qm
