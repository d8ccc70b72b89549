#include "ui/support/list_view_selection.h"

#include <commctrl.h>

namespace qm {

namespace {

void SetState(HWND list, int item, UINT state, UINT mask) {
    LVITEMW change{};
    change.stateMask = mask;
    change.state = state;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&change));
}

}  // namespace

std::size_t SelectedRowCount(HWND list) {
    const LRESULT count = SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0);
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

std::vector<std::size_t> SelectedRows(HWND list) {
    std::vector<std::size_t> rows;
    rows.reserve(SelectedRowCount(list));
    for (LRESULT i = SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED); i >= 0;
         i = SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED)) {
        if (!rows.empty() && static_cast<std::size_t>(i) <= rows.back()) break;  // never loop
        rows.push_back(static_cast<std::size_t>(i));
    }
    return rows;
}

std::vector<bool> SelectionFlags(HWND list, std::size_t rowCount) {
    std::vector<bool> flags(rowCount, false);
    for (std::size_t row : SelectedRows(list))
        if (row < rowCount) flags[row] = true;
    return flags;
}

void SelectOnly(HWND list, const std::vector<bool>& flags) {
    SetState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (std::size_t i = 0; i < flags.size(); ++i)
        if (flags[i]) SelectRow(list, i);
}

void SelectAllRows(HWND list) { SetState(list, -1, LVIS_SELECTED, LVIS_SELECTED); }

void SelectRow(HWND list, std::size_t row) { SetState(list, static_cast<int>(row), LVIS_SELECTED, LVIS_SELECTED); }

void SelectAndFocus(HWND list, std::size_t row) {
    SetState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    SetState(list, static_cast<int>(row), LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SendMessageW(list, LVM_SETSELECTIONMARK, 0, static_cast<LPARAM>(row));
    SendMessageW(list, LVM_ENSUREVISIBLE, row, FALSE);
}

void MoveSelection(HWND list, std::size_t from, std::size_t to) {
    SetState(list, static_cast<int>(from), 0, LVIS_SELECTED | LVIS_FOCUSED);
    SetState(list, static_cast<int>(to), LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SendMessageW(list, LVM_SETSELECTIONMARK, 0, static_cast<LPARAM>(to));
    SendMessageW(list, LVM_ENSUREVISIBLE, to, FALSE);
}

long SingleSelectedRow(HWND list) {
    if (SelectedRowCount(list) != 1) return -1;
    // Usually the selection mark; looking for the row from the top costs a step per row.
    const LRESULT mark = SendMessageW(list, LVM_GETSELECTIONMARK, 0, 0);
    if (mark >= 0 && (SendMessageW(list, LVM_GETITEMSTATE, mark, LVIS_SELECTED) & LVIS_SELECTED))
        return static_cast<long>(mark);
    return static_cast<long>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

}  // namespace qm
