#include "win32/controls/quick_list_selection.h"

#include <commctrl.h>

namespace qm::win32 {

namespace {

constexpr UINT_PTR SubclassId = 0x514D;  // one subclass of this kind per list

bool PlainKey(WPARAM key) {
    switch (key) {
    case VK_UP: case VK_DOWN: case VK_LEFT: case VK_RIGHT:
    case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
        return GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0;
    default:
        return false;
    }
}

void DeselectTheOneMarkedRow(HWND list) {
    if (SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0) != 1) return;
    const LRESULT mark = SendMessageW(list, LVM_GETSELECTIONMARK, 0, 0);
    if (mark < 0 || !(SendMessageW(list, LVM_GETITEMSTATE, mark, LVIS_SELECTED) & LVIS_SELECTED)) return;
    LVITEMW change{};
    change.stateMask = LVIS_SELECTED;
    SendMessageW(list, LVM_SETITEMSTATE, mark, reinterpret_cast<LPARAM>(&change));
}

LRESULT CALLBACK QuickSelectionProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    const bool plainClick = (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) &&
                            !(wParam & (MK_SHIFT | MK_CONTROL));
    if (plainClick || (message == WM_KEYDOWN && PlainKey(wParam))) DeselectTheOneMarkedRow(list);
    if (message == WM_NCDESTROY) RemoveWindowSubclass(list, QuickSelectionProc, SubclassId);
    return DefSubclassProc(list, message, wParam, lParam);
}

}  // namespace

void KeepSelectionChangesQuick(HWND listView) {
    SetWindowSubclass(listView, QuickSelectionProc, SubclassId, 0);
}

}  // namespace qm::win32
