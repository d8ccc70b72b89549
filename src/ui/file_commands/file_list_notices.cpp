#include "ui/file_commands/file_list_notices.h"

#include "app/private_commands.h"
#include "core/naming/status_preview.h"
#include "resource_ids.h"
#include "ui/file_commands/file_list_commands.h"
#include "ui/file_list/file_list_view.h"
#include "ui/file_list/main_window_state.h"
#include "ui/file_list/status_line.h"
#include "win32/controls/dialog_items.h"

namespace qm {

namespace {

// Selecting many rows one by one gives a notice per row; the cell is written
// once, after them, from the posted command.
void ScheduleSelectedCount(HWND mainWindow) {
    MainWindowState* state = FindMainWindowState(mainWindow);
    if (!state || state->selectionCellPending) return;
    state->selectionCellPending = true;
    PostMessageW(mainWindow, WM_COMMAND, CmdSelectionChanged, 0);
}

bool SelectionTouched(const NMLISTVIEW& change) {
    return (change.uChanged & LVIF_STATE) && ((change.uNewState ^ change.uOldState) & LVIS_SELECTED);
}

void OnKey(HWND mainWindow, HWND list, WORD key) {
    if (key == VK_DELETE && SelectedRowCount(list) > 0) {
        RemoveRows(mainWindow);  // as "Clear" does with a selection
        RefreshStatus(mainWindow);
    } else if (key == 'A' && GetKeyState(VK_CONTROL) < 0) {
        SelectAllRows(list);
    }
}

}  // namespace

void OnFileListNotice(HWND mainWindow, const NMHDR& header) {
    switch (header.code) {
    case LVN_ITEMCHANGED:
        if (SelectionTouched(reinterpret_cast<const NMLISTVIEW&>(header))) ScheduleSelectedCount(mainWindow);
        break;
    case LVN_ODSTATECHANGED:
        ScheduleSelectedCount(mainWindow);
        break;
    case LVN_KEYDOWN:
        OnKey(mainWindow, header.hwndFrom, reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey);
        break;
    default:
        break;
    }
}

void ShowSelectedCount(HWND mainWindow) {
    if (MainWindowState* state = FindMainWindowState(mainWindow)) state->selectionCellPending = false;
    const std::u16string text = SelectedText(SelectedRowCount(win32::DialogItem(mainWindow, IDC_FILE_LIST)));
    win32::SetDialogItemText(mainWindow, IDC_STATUS_SELECTION, reinterpret_cast<const wchar_t*>(text.c_str()));
}

}  // namespace qm
