#include "ui/windows/preset_label_window.h"

#include <commctrl.h>

#include <string>

#include "app/dialog_theme.h"
#include "app/process_records.h"
#include "resource_ids.h"
#include "ui/support/dialog_support.h"
#include "win32/controls/dialog_items.h"

namespace qm {

namespace {

constexpr std::size_t LabelCharacters = PresetLabelWidth - 1;
constexpr std::size_t EditReadUnits = 1023;

int SlotOf(HWND dialog) { return static_cast<int>(GetWindowLongPtrW(dialog, DWLP_USER)); }

std::wstring DefaultLabel(int slot) {
    wchar_t text[32] = {};
    wsprintfW(text, L"%s %i", L"Preset", slot + 1);
    return text;
}

// The tooltip that the main window made for the preset's button: one tool,
// registered under the button's window with id 0.
void UpdatePresetTip(const Preset& preset) {
    if (!preset.tipwindow) return;
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = static_cast<HWND>(preset.buttonwindow);
    tool.uId = 0;
    tool.hinst = GetModuleHandleW(nullptr);
    tool.lpszText = const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(preset.label.c_str()));
    SendMessageW(static_cast<HWND>(preset.tipwindow), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void OnSave(HWND dialog) {
    const int slot = SlotOf(dialog);
    Preset& preset = Presets()[slot];
    const std::wstring typed = ControlText(win32::DialogItem(dialog, IDC_LABEL_EDIT), EditReadUnits);
    const bool usable = !typed.empty() && typed.size() <= LabelCharacters;
    preset.label = AsUtf16(usable ? typed : DefaultLabel(slot));
    UpdatePresetTip(preset);
    EndDialog(dialog, 0);
}

void OnInitDialog(HWND dialog, int slot) {
    SetWindowLongPtrW(dialog, DWLP_USER, slot);
    EnableDialogTheme(dialog, true);
    SetProgramIcons(dialog);
    win32::SendDialogItem(dialog, IDC_LABEL_EDIT, EM_LIMITTEXT, LabelCharacters, 0);
    win32::SetDialogItemText(dialog, IDC_LABEL_EDIT, AsWide(Presets()[slot].label.view()).c_str());
}

}  // namespace

INT_PTR CALLBACK PresetLabelDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog, static_cast<int>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_LABEL_SAVE) OnSave(dialog);
        else if (LOWORD(wParam) == IDC_LABEL_CANCEL) EndDialog(dialog, 0);
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

void OpenPresetLabelWindow(HWND mainWindow, int slot) {
    if (slot < 0 || slot >= PresetCount) return;
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PRESET_LABEL), mainWindow,
                    PresetLabelDialogProc, slot);
}

}  // namespace qm
