#include "ui/name_options.h"

#include <commctrl.h>

#include "resource_ids.h"
#include "ui/history_box.h"
#include "ui/main_window_state.h"
#include "ui/rename_options_reader.h"
#include "ui/tooltips.h"

namespace qm {

namespace {

constexpr int BoxLimit = 260;  // as the prefix and suffix boxes

struct Tip {
    int controlId;
    const wchar_t* text;
};

constexpr Tip Tips[] = {
    {IDC_KEEP_NAME, L"keep the old name, after the prefix"},
    {IDC_NO_NUMBER, L"no running number in the name"},
    {IDC_FIND_BOX, L"text to find in the old name"},
    {IDC_REPLACE_BOX, L"text that replaces it ($1 for a group)"},
    {IDC_FIND_REGEX, L"find a regular expression"},
    {IDC_FIND_MATCH_CASE, L"upper and lower case differ"},
    {IDC_ADD_FOLDER, L"add every file of a folder"},
};

// A combo box's mouse messages go to its edit field, so the tip sits there.
HWND TipTarget(HWND control) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (GetComboBoxInfo(control, &info) && info.hwndItem) return info.hwndItem;
    return control;
}

}  // namespace

bool SetUpNameOptions(HWND mainWindow) {
    SendDlgItemMessageW(mainWindow, IDC_FIND_BOX, CB_LIMITTEXT, BoxLimit, 0);
    SendDlgItemMessageW(mainWindow, IDC_REPLACE_BOX, CB_LIMITTEXT, BoxLimit, 0);
    bool allMade = true;
    for (const Tip& tip : Tips)
        if (!MakeTip(mainWindow, TipTarget(GetDlgItem(mainWindow, tip.controlId)), tip.text)) allMade = false;
    return allMade;
}

FindReplace ReadFindReplace(HWND mainWindow) {
    FindReplace options;
    options.find = BoxText(GetDlgItem(mainWindow, IDC_FIND_BOX));
    options.replace = BoxText(GetDlgItem(mainWindow, IDC_REPLACE_BOX));
    options.regex = IsChecked(mainWindow, IDC_FIND_REGEX);
    options.matchCase = IsChecked(mainWindow, IDC_FIND_MATCH_CASE);
    return options;
}

void AddFindReplaceToHistories(HWND mainWindow) {
    for (int id : {IDC_FIND_BOX, IDC_REPLACE_BOX}) {
        HWND box = GetDlgItem(mainWindow, id);
        AddToHistory(box, BoxText(box));
    }
}

std::u16string FirstTakingPartName(HWND mainWindow) {
    const MainWindowState* state = FindMainWindowState(mainWindow);
    if (!state || state->files.empty()) return {};
    const LRESULT selected = SendDlgItemMessageW(mainWindow, IDC_FILE_LIST, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                                 LVNI_SELECTED);
    const std::size_t row = selected >= 0 && static_cast<std::size_t>(selected) < state->files.size()
                                ? static_cast<std::size_t>(selected)
                                : 0;
    return state->files[row].name;
}

void ShowNameProblem(HWND mainWindow, const std::u16string& message) {
    const std::u16string text = message + u"\n\nNo file has been renamed.";
    MessageBoxW(mainWindow, reinterpret_cast<const wchar_t*>(text.c_str()), L"Error", MB_ICONERROR);
}

}  // namespace qm
