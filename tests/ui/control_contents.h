#pragma once
// Reading and filling the lists of controls in tests.
#include <windows.h>
#include <commctrl.h>

#include <ostream>
#include <string>
#include <vector>

#include "main_window_harness.h"  // ResetRecordsToDefaults
#include "window_driving.h"       // ListText

namespace qm::testing {

inline std::vector<std::wstring> ComboItems(HWND box) {
    std::vector<std::wstring> items;
    const LRESULT count = SendMessageW(box, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        wchar_t text[1100] = {};
        SendMessageW(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items.emplace_back(text);
    }
    return items;
}

inline std::vector<std::wstring> ListBoxItems(HWND list) {
    std::vector<std::wstring> items;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        wchar_t text[1100] = {};
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        items.emplace_back(text);
    }
    return items;
}

// Empties the box, then gives it these items and this edit text.
inline void FillCombo(HWND box, const std::vector<std::wstring>& items, const std::wstring& text) {
    SendMessageW(box, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& item : items)
        SendMessageW(box, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item.c_str()));
    SetWindowTextW(box, text.c_str());
}

inline std::wstring WindowText(HWND window) {
    wchar_t text[2048] = {};
    GetWindowTextW(window, text, 2048);
    return text;
}

struct ExtensionRowSeen {
    std::wstring from;
    std::wstring to;
    bool checked;
    bool operator==(const ExtensionRowSeen&) const = default;
};

inline void PrintTo(const ExtensionRowSeen& row, std::ostream* out) {
    *out << '"' << std::string(row.from.begin(), row.from.end()) << "\" -> \""
         << std::string(row.to.begin(), row.to.end()) << '"' << (row.checked ? " checked" : " unchecked");
}

inline std::vector<ExtensionRowSeen> ExtensionRows(HWND list) {
    std::vector<ExtensionRowSeen> rows;
    const LRESULT count = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    for (int row = 0; row < count; ++row) {
        const auto state = SendMessageW(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK);
        rows.push_back({ListText(list, row, 0), ListText(list, row, 1),
                        state == static_cast<LRESULT>(INDEXTOSTATEIMAGEMASK(2))});
    }
    return rows;
}

// Alpha of a layered window; -1 when it has none.
inline int LayeredAlpha(HWND window) {
    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    if (!GetLayeredWindowAttributes(window, &key, &alpha, &flags) || !(flags & LWA_ALPHA)) return -1;
    return alpha;
}

}  // namespace qm::testing
