#include "ui/main_window/main_window_size.h"

#include <algorithm>

namespace qm {

void LimitMainWindowSize(HWND window, MINMAXINFO& limits) {
    RECT client{0, 0, MinimumClientWidthUnits, MinimumClientHeightUnits};
    MapDialogRect(window, &client);
    AdjustWindowRectEx(&client, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    limits.ptMinTrackSize.x = client.right - client.left;
    limits.ptMinTrackSize.y = client.bottom - client.top;
    // Never more than the screen the window is on: a small screen cuts the
    // layout at the edge rather than keeping the window's own edges off it.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        limits.ptMinTrackSize.x = std::min(limits.ptMinTrackSize.x, monitor.rcWork.right - monitor.rcWork.left);
        limits.ptMinTrackSize.y = std::min(limits.ptMinTrackSize.y, monitor.rcWork.bottom - monitor.rcWork.top);
    }
}

}  // namespace qm
