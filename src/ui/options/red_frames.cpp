#include "ui/options/red_frames.h"

#include <commctrl.h>

#include "ui/support/dialog_support.h"
#include "win32/controls/dialog_items.h"

namespace qm {

namespace {

constexpr UINT_PTR RingPaintId = 1;

// A frame paints its one-pixel ring and nothing else, in the brush its parent
// hands out for it. Left to the static class, it fills its whole client area,
// and not every platform clips that fill to the window region every time: the
// box inside turned solid red when a frame was shown after opening.
LRESULT CALLBACK RingPaintProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC context = BeginPaint(frame, &paint);
        const auto brush = reinterpret_cast<HBRUSH>(
            SendMessageW(GetParent(frame), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(context), reinterpret_cast<LPARAM>(frame)));
        RECT client{};
        GetClientRect(frame, &client);
        if (brush) FrameRect(context, &client, brush);
        EndPaint(frame, &paint);
        return 0;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(frame, RingPaintProc, RingPaintId);
        break;
    }
    return DefSubclassProc(frame, message, wParam, lParam);
}

// A frame is a ring: its window region leaves the target's own rectangle out,
// so it can lie above everything around (the group boxes included) and still
// never cover the box it marks.
void MakeRing(HWND frame, int width, int height) {
    HRGN ring = CreateRectRgn(0, 0, width, height);
    HRGN hole = CreateRectRgn(1, 1, width - 1, height - 1);
    CombineRgn(ring, ring, hole, RGN_DIFF);
    DeleteObject(hole);
    SetWindowRgn(frame, ring, FALSE);  // the window owns the region from here on
}

// Placed without a redraw: at the opening the first paint draws it; later,
// showing it does.
void PlaceRedFrame(HWND window, const RedFrame& f, bool shown) {
    HWND target = win32::DialogItem(window, f.targetId);
    HWND frame = win32::DialogItem(window, f.frameId);
    RECT bounds{};
    GetWindowRect(target, &bounds);
    POINT topLeft{bounds.left, bounds.top};
    ScreenToClient(window, &topLeft);
    const int width = bounds.right - bounds.left + 2;
    const int height = bounds.bottom - bounds.top + 2;
    SetWindowPos(frame, HWND_TOP, topLeft.x - 1, topLeft.y - 1, width, height,
                 (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOCOPYBITS | SWP_NOREDRAW);
    MakeRing(frame, width, height);
    // Last: every message to a subclassed window looks its subclass up.
    SetWindowSubclass(frame, RingPaintProc, RingPaintId, 0);
}

}  // namespace

// A frame not shown at the opening is only hidden, and placed when it is
// first shown: placing one costs the opening some 0.5 ms under Wine, and at
// the defaults none shows.
void PlaceRedFrames(HWND window) {
    for (const RedFrame& f : RedFrames) {
        if (IsChecked(window, f.autoBoxId))
            PlaceRedFrame(window, f, true);
        else
            ShowWindow(win32::DialogItem(window, f.frameId), SW_HIDE);
    }
}

void ShowRedFrame(HWND window, int frameId, bool show) {
    HWND frame = win32::DialogItem(window, frameId);
    RECT bounds{};
    GetWindowRect(frame, &bounds);
    // Not placed yet: it still has the template's empty size.
    if (show && IsRectEmpty(&bounds)) {
        for (const RedFrame& f : RedFrames)
            if (f.frameId == frameId) PlaceRedFrame(window, f, false);
    }
    ShowWindow(frame, show ? SW_SHOW : SW_HIDE);
}

bool IsRedFrame(HWND control) {
    const int id = GetDlgCtrlID(control);
    for (const RedFrame& f : RedFrames)
        if (f.frameId == id) return true;
    return false;
}

}  // namespace qm
