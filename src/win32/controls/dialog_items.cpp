#include "win32/controls/dialog_items.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace qm::win32 {

namespace {

struct FoundItems {
    HWND dialog;
    std::unordered_map<int, HWND> items;
};

// Shared by the threads, under a lock: a thread-local vector, built with
// MinGW and run under Wine, left the program hanging at its exit.
std::mutex foundLock;
std::vector<FoundItems> found;

// A control destroyed has no parent: a handle given since to another window
// is that window's, and is the item only if it is one of the dialog's, with the id.
bool IsItem(HWND dialog, int id, HWND item) {
    return GetAncestor(item, GA_PARENT) == dialog && GetDlgCtrlID(item) == id;
}

}  // namespace

HWND DialogItem(HWND dialog, int id) {
    const std::lock_guard hold(foundLock);
    auto entry = std::find_if(found.begin(), found.end(), [dialog](const FoundItems& d) { return d.dialog == dialog; });
    if (entry != found.end()) {
        const auto item = entry->items.find(id);
        if (item != entry->items.end() && IsItem(dialog, id, item->second)) return item->second;
    }
    // Asked of the system once: listing every child instead costs as much as
    // finding most of them one by one. The controls of dialogs that are gone are let go of.
    HWND item = GetDlgItem(dialog, id);
    if (!item) return nullptr;
    if (entry == found.end()) {
        std::erase_if(found, [](const FoundItems& d) { return !IsWindow(d.dialog); });
        entry = found.insert(found.end(), FoundItems{dialog, {}});
    }
    entry->items[id] = item;
    return item;
}

LRESULT SendDialogItem(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageW(DialogItem(dialog, id), message, wParam, lParam);
}

BOOL SetDialogItemText(HWND dialog, int id, const wchar_t* text) {
    return static_cast<BOOL>(SendDialogItem(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)));
}

UINT GetDialogItemText(HWND dialog, int id, wchar_t* text, int size) {
    if (text && size > 0) text[0] = L'\0';  // as GetDlgItemTextW, also without the control
    return static_cast<UINT>(SendDialogItem(dialog, id, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(text)));
}

}  // namespace qm::win32
