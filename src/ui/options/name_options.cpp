#include "ui/options/name_options.h"

#include <commctrl.h>

#include "resource_ids.h"
#include "ui/options/history_box.h"
#include "ui/file_list/main_window_state.h"
#include "ui/options/rename_options_reader.h"

namespace qm {

namespace {

constexpr int BoxLimit = 260;  // as the prefix and suffix boxes

}  // namespace

void SetUpNameOptions(HWND mainWindow) {
    SendDlgItemMessageW(mainWindow, IDC_FIND_BOX, CB_LIMITTEXT, BoxLimit, 0);
    SendDlgItemMessageW(mainWindow, IDC_REPLACE_BOX, CB_LIMITTEXT, BoxLimit, 0);
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
