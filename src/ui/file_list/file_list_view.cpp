#include "ui/file_list/file_list_view.h"

#include <algorithm>

#include "core/text/name_text.h"

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

long FindRow(const FileTable& table, const NMLVFINDITEMW& request) {
    const LVFINDINFOW& find = request.lvfi;
    if (!(find.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.psz || table.empty()) return -1;
    const std::u16string_view wanted(reinterpret_cast<const char16_t*>(find.psz));
    const bool partial = (find.flags & LVFI_PARTIAL) != 0;
    const std::size_t start = request.iStart >= 0 ? static_cast<std::size_t>(request.iStart) % table.size() : 0;
    for (std::size_t step = 0; step < table.size(); ++step) {
        const std::size_t row = (start + step) % table.size();
        if (!(find.flags & LVFI_WRAP) && row < start) break;
        const std::u16string_view name = table[row].name;
        const std::u16string_view compared = partial ? name.substr(0, wanted.size()) : name;
        if (compared.size() == wanted.size() && EqualIgnoringAsciiCase(compared, wanted)) return static_cast<long>(row);
    }
    return -1;
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

void ShowRowsUnselected(HWND list, std::size_t count) {
    SendMessageW(list, LVM_SETITEMCOUNT, 0, LVSICF_NOSCROLL);
    ShowRowCount(list, count);
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
