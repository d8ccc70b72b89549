#include "ui/file_list_view.h"

#include <algorithm>

namespace qm {

namespace {

void SetState(HWND list, int item, UINT state, UINT mask) {
    LVITEMW change{};
    change.stateMask = mask;
    change.state = state;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&change));
}

}  // namespace

void ShowRowCount(HWND list, std::size_t count) {
    SendMessageW(list, LVM_SETITEMCOUNT, count, LVSICF_NOSCROLL);
    InvalidateRect(list, nullptr, TRUE);
}

void FillDisplayInfo(const FileTable& table, NMLVDISPINFOW& info) {
    LVITEMW& item = info.item;
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
    std::u16string_view text;
    if (item.iItem >= 0 && static_cast<std::size_t>(item.iItem) < table.size())
        text = ColumnText(table[static_cast<std::size_t>(item.iItem)], item.iSubItem);
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(item.cchTextMax - 1));
    std::copy_n(text.data(), n, reinterpret_cast<char16_t*>(item.pszText));
    item.pszText[n] = L'\0';
}

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
        if (flags[i]) SetState(list, static_cast<int>(i), LVIS_SELECTED, LVIS_SELECTED);
}

void SelectAndFocus(HWND list, std::size_t row) {
    SetState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    SetState(list, static_cast<int>(row), LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SendMessageW(list, LVM_ENSUREVISIBLE, row, FALSE);
}

long SingleSelectedRow(HWND list) {
    if (SelectedRowCount(list) != 1) return -1;
    return static_cast<long>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

}  // namespace qm
