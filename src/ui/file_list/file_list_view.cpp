#include "ui/file_list/file_list_view.h"

#include <algorithm>

#include "core/text/name_text.h"
#include "win32/locale/clock.h"

namespace qm {

void ShowRowCount(HWND list, std::size_t count) {
    SendMessageW(list, LVM_SETITEMCOUNT, count, LVSICF_NOSCROLL);
    InvalidateRect(list, nullptr, TRUE);
}

void FillDisplayInfo(const FileTable& table, NMLVDISPINFOW& info) {
    LVITEMW& item = info.item;
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
    CellText cell;
    // Dates as local time with the offset in force now, as the list showed them when it was drawn.
    if (item.iItem >= 0 && static_cast<std::size_t>(item.iItem) < table.size())
        cell = ColumnText(table[static_cast<std::size_t>(item.iItem)], item.iSubItem, win32::LocalOffsetNow());
    const std::u16string_view text = cell.view();
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

void ShowRowsUnselected(HWND list, std::size_t count) {
    SendMessageW(list, LVM_SETITEMCOUNT, 0, LVSICF_NOSCROLL);
    ShowRowCount(list, count);
}

void ShowSortArrow(HWND list, int column, bool descending) {
    HWND header = ListView_GetHeader(list);
    const int count = Header_GetItemCount(header);
    for (int item = 0; item < count; ++item) {
        HDITEMW format{};
        format.mask = HDI_FORMAT;
        if (!Header_GetItem(header, item, &format)) continue;
        const int wanted = item != column ? 0 : descending ? HDF_SORTDOWN : HDF_SORTUP;
        if ((format.fmt & (HDF_SORTUP | HDF_SORTDOWN)) == wanted) continue;
        format.fmt = (format.fmt & ~(HDF_SORTUP | HDF_SORTDOWN)) | wanted;
        Header_SetItem(header, item, &format);
    }
}

}  // namespace qm
