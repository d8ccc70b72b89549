#include "win32/controls/radio_check.h"

namespace qm::win32 {

void CheckRadioButtonAlone(HWND button) {
    const LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
    const bool automatic = (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
    // As a plain radio button for the moment, which no implementation walks.
    if (automatic) SendMessageW(button, BM_SETSTYLE, (style & ~BS_TYPEMASK) | BS_RADIOBUTTON, FALSE);
    SendMessageW(button, BM_SETCHECK, BST_CHECKED, 0);
    if (automatic) SendMessageW(button, BM_SETSTYLE, style, FALSE);
}

}  // namespace qm::win32
