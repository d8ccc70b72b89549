#include "win32/settings/settings_list_controls.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "core/settings_file/list_sections.h"
#include "resource_ids.h"
#include "win32/controls/dialog_items.h"

namespace qm::win32 {

namespace {

constexpr int CurrentTextBufferUnits = 1023;  // with the zero unit
constexpr UINT CheckedStateImage = 2;

const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

std::u16string CurrentText(HWND box) {
    wchar_t buffer[CurrentTextBufferUnits] = {};
    const int length = GetWindowTextW(box, buffer, CurrentTextBufferUnits);
    return std::u16string(reinterpret_cast<const char16_t*>(buffer), length > 0 ? length : 0);
}

HistoryList ReadHistory(HWND box) {
    HistoryList history;
    if (box == nullptr) return history;
    history.current = CurrentText(box);
    const LRESULT count = SendMessageW(box, CB_GETCOUNT, 0, 0);
    const LRESULT written = std::min<LRESULT>(count, HistoryEntriesWritten);
    std::u16string entry;
    for (LRESULT i = 0; i < written; ++i) {
        const LRESULT length = SendMessageW(box, CB_GETLBTEXTLEN, i, 0);
        if (length < 0) continue;
        entry.assign(static_cast<std::size_t>(length) + 1, u'\0');
        const LRESULT copied =
            SendMessageW(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
        entry.resize(copied < 0 ? 0 : std::min<std::size_t>(copied, length));
        history.entries.push_back(entry);
    }
    return history;
}

std::u16string ListViewText(HWND list, int item, int column) {
    std::u16string text(261, u'\0');
    for (;;) {
        LVITEMW request{};
        request.iSubItem = column;
        request.pszText = reinterpret_cast<wchar_t*>(text.data());
        request.cchTextMax = static_cast<int>(text.size());
        const LRESULT copied =
            SendMessageW(list, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&request));
        // A text that fills the buffer may have been cut: try again with more room.
        if (copied < static_cast<LRESULT>(text.size()) - 1 || text.size() >= (1u << 20)) {
            text.resize(copied < 0 ? 0 : static_cast<std::size_t>(copied));
            return text;
        }
        text.assign(text.size() * 2, u'\0');
    }
}

std::vector<ExtensionRow> ReadRowsOf(HWND list) {
    std::vector<ExtensionRow> rows;
    if (list == nullptr) return rows;
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    rows.reserve(count > 0 ? count : 0);
    for (int i = 0; i < count; ++i) {
        ExtensionRow row;
        const UINT state = static_cast<UINT>(
            SendMessageW(list, LVM_GETITEMSTATE, i, LVIS_STATEIMAGEMASK));
        row.checked = (state >> 12) == CheckedStateImage;
        row.from = ListViewText(list, i, 0);
        row.to = ListViewText(list, i, 1);
        rows.push_back(std::move(row));
    }
    return rows;
}

void AppendHistory(HWND box, const HistoryList& history) {
    if (box == nullptr) return;
    if (history.current != CurrentText(box)) SetWindowTextW(box, Wide(history.current));
    if (history.entries.empty()) return;
    SendMessageW(box, CB_INITSTORAGE, history.entries.size(), history.entries.size() * 64);
    // Insert at the end, so the order is the file's even in a sorting box.
    for (const std::u16string& entry : history.entries)
        SendMessageW(box, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(Wide(entry)));
}

void AppendRowsTo(HWND list, const std::vector<ExtensionRow>& rows) {
    if (list == nullptr || rows.empty()) return;
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (const ExtensionRow& row : rows) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        item.pszText = const_cast<wchar_t*>(Wide(row.from));
        const int index =
            static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        if (index < 0) continue;
        LVITEMW to{};
        to.iSubItem = 1;
        to.pszText = const_cast<wchar_t*>(Wide(row.to));
        SendMessageW(list, LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&to));
        LVITEMW check{};
        check.stateMask = LVIS_STATEIMAGEMASK;
        check.state = INDEXTOSTATEIMAGEMASK(row.checked ? 2 : 1);
        SendMessageW(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&check));
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

}  // namespace

SettingsLists ReadListsFromControls(HWND mainWindow) {
    SettingsLists lists;
    lists.prefix = ReadHistory(win32::DialogItem(mainWindow, IDC_PREFIX_BOX));
    lists.suffix = ReadHistory(win32::DialogItem(mainWindow, IDC_SUFFIX_BOX));
    lists.find = ReadHistory(win32::DialogItem(mainWindow, IDC_FIND_BOX));
    lists.replace = ReadHistory(win32::DialogItem(mainWindow, IDC_REPLACE_BOX));
    lists.extensions = ReadRowsOf(win32::DialogItem(mainWindow, IDC_EXT_LIST));
    return lists;
}

SettingsLists CurrentTextsOfControls(HWND mainWindow) {
    SettingsLists lists;
    if (HWND box = win32::DialogItem(mainWindow, IDC_PREFIX_BOX)) lists.prefix.current = CurrentText(box);
    if (HWND box = win32::DialogItem(mainWindow, IDC_SUFFIX_BOX)) lists.suffix.current = CurrentText(box);
    if (HWND box = win32::DialogItem(mainWindow, IDC_FIND_BOX)) lists.find.current = CurrentText(box);
    if (HWND box = win32::DialogItem(mainWindow, IDC_REPLACE_BOX)) lists.replace.current = CurrentText(box);
    return lists;
}

void AppendListsToControls(HWND mainWindow, const SettingsLists& lists) {
    AppendHistory(win32::DialogItem(mainWindow, IDC_PREFIX_BOX), lists.prefix);
    AppendHistory(win32::DialogItem(mainWindow, IDC_SUFFIX_BOX), lists.suffix);
    AppendHistory(win32::DialogItem(mainWindow, IDC_FIND_BOX), lists.find);
    AppendHistory(win32::DialogItem(mainWindow, IDC_REPLACE_BOX), lists.replace);
    AppendRowsTo(win32::DialogItem(mainWindow, IDC_EXT_LIST), lists.extensions);
}

std::vector<ExtensionRow> ReadExtensionRows(HWND list) { return ReadRowsOf(list); }

void AppendExtensionRows(HWND list, const std::vector<ExtensionRow>& rows) { AppendRowsTo(list, rows); }

}  // namespace qm::win32
