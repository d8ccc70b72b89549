#include "ui/support/list_box_editing.h"

#include <vector>

namespace qm {

int DeleteSelectedListItems(HWND listBox) {
    const LRESULT count = SendMessageW(listBox, LB_GETSELCOUNT, 0, 0);
    if (count <= 0) return -1;
    std::vector<int> selected(static_cast<std::size_t>(count));
    const LRESULT got = SendMessageW(listBox, LB_GETSELITEMS, count, reinterpret_cast<LPARAM>(selected.data()));
    if (got <= 0) return -1;
    selected.resize(static_cast<std::size_t>(got));
    // From the bottom up, so that the indices still to come stay valid.
    SendMessageW(listBox, WM_SETREDRAW, FALSE, 0);
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) SendMessageW(listBox, LB_DELETESTRING, *it, 0);
    SendMessageW(listBox, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listBox, nullptr, TRUE);
    return 0;
}

void SelectAllListItems(HWND listBox, bool select) {
    // Index -1 addresses every item at once.
    SendMessageW(listBox, LB_SETSEL, select ? TRUE : FALSE, -1);
}

}  // namespace qm
