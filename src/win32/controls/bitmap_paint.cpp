#include "win32/controls/bitmap_paint.h"

#include <commctrl.h>

#include <mutex>
#include <unordered_map>

namespace qm::win32 {

namespace {

// Each control's procedure before this one. Not a comctl32 subclass: under
// Wine that looks itself up with a request to the server at every message,
// and a list view sends its header dozens at each layout and paint.
std::mutex proceduresLock;
std::unordered_map<HWND, WNDPROC> procedures;

WNDPROC ProcedureBefore(HWND control) {
    const std::lock_guard hold(proceduresLock);
    const auto found = procedures.find(control);
    return found == procedures.end() ? nullptr : found->second;
}

// A 32-bit bitmap for an area of a window's client, whose device context
// draws that area, in the client's coordinates, at the bitmap's corner.
class AreaBitmap {
public:
    AreaBitmap(HDC screen, const RECT& area) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), area.right - area.left, -(area.bottom - area.top), 1, 32,
                          BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!bitmap_) return;
        dc_ = CreateCompatibleDC(screen);
        if (!dc_) return;
        old_ = SelectObject(dc_, bitmap_);
        SetViewportOrgEx(dc_, -area.left, -area.top, nullptr);
        IntersectClipRect(dc_, area.left, area.top, area.right, area.bottom);
    }
    ~AreaBitmap() {
        if (dc_) {
            SelectObject(dc_, old_);
            DeleteDC(dc_);
        }
        if (bitmap_) DeleteObject(bitmap_);
    }
    AreaBitmap(const AreaBitmap&) = delete;
    AreaBitmap& operator=(const AreaBitmap&) = delete;
    HDC dc() const { return bitmap_ ? dc_ : nullptr; }

private:
    HBITMAP bitmap_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

bool DrawsOnlyIntoItsDeviceContext(HWND header) {
    const int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int item = 0; item < count; ++item) {
        HDITEMW format{};
        format.mask = HDI_FORMAT;
        if (SendMessageW(header, HDM_GETITEMW, item, reinterpret_cast<LPARAM>(&format)) &&
            (format.fmt & (HDF_SORTUP | HDF_SORTDOWN | HDF_IMAGE | HDF_BITMAP)))
            return false;
    }
    return true;
}

LRESULT CALLBACK BitmapPaintProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC before = ProcedureBefore(control);
    if (!before) return DefWindowProcW(control, message, wParam, lParam);
    if (message == WM_PAINT && wParam == 0 && DrawsOnlyIntoItsDeviceContext(control)) {
        PAINTSTRUCT paint{};
        HDC screen = BeginPaint(control, &paint);
        const RECT& area = paint.rcPaint;
        const int width = area.right - area.left, height = area.bottom - area.top;
        if (screen && width > 0 && height > 0) {
            AreaBitmap bitmap(screen, area);
            if (HDC memory = bitmap.dc()) {
                BitBlt(memory, area.left, area.top, width, height, screen, area.left, area.top, SRCCOPY);
                CallWindowProcW(before, control, WM_PAINT, reinterpret_cast<WPARAM>(memory), 0);
                BitBlt(screen, area.left, area.top, width, height, memory, area.left, area.top, SRCCOPY);
            } else {
                CallWindowProcW(before, control, WM_PAINT, reinterpret_cast<WPARAM>(screen), 0);
            }
        }
        EndPaint(control, &paint);
        return 0;
    }
    const LRESULT result = CallWindowProcW(before, control, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        const std::lock_guard hold(proceduresLock);
        procedures.erase(control);
    }
    return result;
}

}  // namespace

void PaintHeaderThroughBitmap(HWND header) {
    if (!header || ProcedureBefore(header)) return;
    // Kept before the procedure is replaced, so that no message finds it missing.
    const auto before = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(header, GWLP_WNDPROC));
    if (!before) return;
    {
        const std::lock_guard hold(proceduresLock);
        procedures[header] = before;
    }
    SetWindowLongPtrW(header, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BitmapPaintProc));
}

}  // namespace qm::win32
