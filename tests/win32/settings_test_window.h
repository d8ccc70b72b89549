#pragma once
// A stand-in for the main window with the three list controls of the settings
// file: combo boxes 1015 and 1016 and the report list view 1082 with check
// boxes and the columns From and To. Also a temporary folder for the file.
#include <windows.h>
#include <commctrl.h>

#include <ostream>
#include <string>
#include <vector>

#include "resource_ids.h"
#include "win32/temporary_folder.h"

namespace qm::test {

class SettingsTestWindow {
public:
    SettingsTestWindow() {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&init);
        window_ = CreateWindowExW(0, L"STATIC", L"settings test", WS_OVERLAPPEDWINDOW, 0, 0, 600,
                                  400, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        for (int id : {IDC_PREFIX_BOX, IDC_SUFFIX_BOX})
            CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                            10, 10 + 30 * (id - IDC_PREFIX_BOX), 200, 200, window_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT, 10, 80, 300, 200,
                                    window_, reinterpret_cast<HMENU>(IDC_EXT_LIST), nullptr,
                                    nullptr);
        SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
        const wchar_t* titles[] = {L"From", L"To"};
        for (int column = 0; column < 2; ++column) {
            LVCOLUMNW c{};
            c.mask = LVCF_TEXT | LVCF_WIDTH;
            c.cx = 100;
            c.pszText = const_cast<wchar_t*>(titles[column]);
            SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&c));
        }
    }
    ~SettingsTestWindow() { DestroyWindow(window_); }
    SettingsTestWindow(const SettingsTestWindow&) = delete;
    SettingsTestWindow& operator=(const SettingsTestWindow&) = delete;

    HWND handle() const { return window_; }
    HWND control(int id) const { return GetDlgItem(window_, id); }

    std::wstring Text(int id) const {
        std::wstring text(GetWindowTextLengthW(control(id)) + 1, L'\0');
        text.resize(GetWindowTextW(control(id), text.data(), static_cast<int>(text.size())));
        return text;
    }

    std::vector<std::wstring> Entries(int id) const {
        std::vector<std::wstring> entries;
        const LRESULT count = SendMessageW(control(id), CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            std::wstring entry(SendMessageW(control(id), CB_GETLBTEXTLEN, i, 0) + 1, L'\0');
            entry.resize(SendMessageW(control(id), CB_GETLBTEXT, i,
                                      reinterpret_cast<LPARAM>(entry.data())));
            entries.push_back(entry);
        }
        return entries;
    }

    void AddEntry(int id, const std::wstring& text) {
        SendMessageW(control(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }

    struct Row {
        bool checked;
        std::wstring from, to;
        friend bool operator==(const Row&, const Row&) = default;
        friend void PrintTo(const Row& row, std::ostream* out) {
            *out << (row.checked ? "[x] " : "[ ] ") << std::string(row.from.begin(), row.from.end())
                 << " -> " << std::string(row.to.begin(), row.to.end());
        }
    };

    void AddRow(const Row& row) {
        HWND list = control(IDC_EXT_LIST);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        item.pszText = const_cast<wchar_t*>(row.from.c_str());
        const int index = static_cast<int>(
            SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        ListView_SetItemText(list, index, 1, const_cast<wchar_t*>(row.to.c_str()));
        ListView_SetCheckState(list, index, row.checked);
    }

    std::vector<Row> Rows() const {
        HWND list = control(IDC_EXT_LIST);
        std::vector<Row> rows;
        const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t from[1100] = {}, to[1100] = {};
            ListView_GetItemText(list, i, 0, from, 1100);
            ListView_GetItemText(list, i, 1, to, 1100);
            rows.push_back({ListView_GetCheckState(list, i) != 0, from, to});
        }
        return rows;
    }

private:
    HWND window_ = nullptr;
};

}  // namespace qm::test
