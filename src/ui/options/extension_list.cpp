#include "ui/options/extension_list.h"

#include <commctrl.h>

#include <vector>

#include "core/rows/list_editing.h"
#include "ui/support/list_view_selection.h"
#include "win32/settings/settings_list_controls.h"

namespace qm {

namespace {

void Rewrite(HWND list, const std::vector<ExtensionRow>& rows, const std::vector<bool>& selected) {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    win32::AppendExtensionRows(list, rows);
    SelectOnly(list, selected);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

}  // namespace

int RemoveSelectedRows(HWND extensionList) {
    std::vector<ExtensionRow> rows = win32::ReadExtensionRows(extensionList);
    std::vector<bool> selected = SelectionFlags(extensionList, rows.size());
    if (std::find(selected.begin(), selected.end(), true) == selected.end()) return -1;
    RemoveRows(rows, selected);
    Rewrite(extensionList, rows, selected);
    return 0;
}

long MoveExtensionRow(HWND extensionList, int direction) {
    const long index = SingleSelectedRow(extensionList);
    std::vector<ExtensionRow> rows = win32::ReadExtensionRows(extensionList);
    const long target = MoveRow(rows, index, direction);
    if (target < 0) return -1;
    std::vector<bool> selected(rows.size(), false);
    Rewrite(extensionList, rows, selected);
    SelectAndFocus(extensionList, static_cast<std::size_t>(target));
    return target;
}

void SortExtensionRows(HWND extensionList, int column) {
    std::vector<ExtensionRow> rows = win32::ReadExtensionRows(extensionList);
    if (rows.size() < 2) return;
    std::vector<bool> selected = SelectionFlags(extensionList, rows.size());
    const auto order = SortedOrder(rows, [column](const ExtensionRow& row) {
        return std::u16string_view(column == 0 ? row.from : row.to);
    });
    ApplyOrder(rows, selected, order);
    Rewrite(extensionList, rows, selected);
}

}  // namespace qm
