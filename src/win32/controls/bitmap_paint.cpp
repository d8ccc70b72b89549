#include "win32/controls/bitmap_paint.h"

#include <commctrl.h>

namespace qm::win32 {

namespace {

constexpr UINT_PTR SubclassId = 0x4250;

// A 32-bit bitmap for the area, in the screen's coordinates of the control;
// its device context draws the area at the bitmap's corner.
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

LRESULT CALLBACK BitmapPaintProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_PAINT && wParam == 0) {
        PAINTSTRUCT paint{};
        HDC screen = BeginPaint(control, &paint);
        const RECT& area = paint.rcPaint;
        const int width = area.right - area.left, height = area.bottom - area.top;
        if (screen && width > 0 && height > 0) {
            AreaBitmap bitmap(screen, area);
            if (HDC memory = bitmap.dc()) {
                BitBlt(memory, area.left, area.top, width, height, screen, area.left, area.top, SRCCOPY);
                DefSubclassProc(control, WM_PAINT, reinterpret_cast<WPARAM>(memory), 0);
                BitBlt(screen, area.left, area.top, width, height, memory, area.left, area.top, SRCCOPY);
            } else {
                DefSubclassProc(control, WM_PAINT, reinterpret_cast<WPARAM>(screen), 0);
            }
        }
        EndPaint(control, &paint);
        return 0;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(control, BitmapPaintProc, SubclassId);
    return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

void PaintThroughBitmap(HWND control) {
    if (control) SetWindowSubclass(control, BitmapPaintProc, SubclassId, 0);
}

}  // namespace qm::win32
