#include "ui/main_window_size.h"

namespace qm {

void LimitMainWindowSize(HWND window, MINMAXINFO& limits) {
    RECT client{0, 0, MinimumClientWidthUnits, MinimumClientHeightUnits};
    MapDialogRect(window, &client);
    AdjustWindowRectEx(&client, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    limits.ptMinTrackSize.x = client.right - client.left;
    limits.ptMinTrackSize.y = client.bottom - client.top;
}

}  // namespace qm
