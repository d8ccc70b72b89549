#include "win32/controls/check_box_fit.h"

#include <string>

namespace qm::win32 {

namespace {

bool IsCheckBox(HWND control) {
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    // A box drawn as a push button (a drop-down arrow) is no caption beside a mark.
    if (lstrcmpiW(className, L"Button") != 0 || (style & BS_PUSHLIKE) || !(style & WS_VISIBLE)) return false;
    switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_3STATE: case BS_AUTO3STATE: return true;
    default: return false;
    }
}

// The caption's width in the control's font, with the mark and the gap before it.
int NeededWidth(HWND control) {
    std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    caption.resize(static_cast<std::size_t>(GetWindowTextW(control, caption.data(), static_cast<int>(caption.size()))));
    HDC context = GetDC(control);
    HGDIOBJ old = SelectObject(context, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE text{};
    GetTextExtentPoint32W(context, caption.c_str(), static_cast<int>(caption.size()), &text);
    const int dpi = GetDeviceCaps(context, LOGPIXELSX);
    SelectObject(context, old);
    ReleaseDC(control, context);
    return text.cx + MulDiv(13 + 4 + 3, dpi, 96);
}

void Widen(HWND window, int width) {
    RECT r{};
    GetWindowRect(window, &r);
    if (r.right - r.left >= width) return;
    SetWindowPos(window, nullptr, 0, 0, width, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CALLBACK FitOne(HWND control, LPARAM top) {
    if (!IsCheckBox(control)) return TRUE;
    const int needed = NeededWidth(control);
    RECT client{};
    GetClientRect(control, &client);
    if (client.right >= needed) return TRUE;
    // A holder as wide as the box holds it alone, and must grow with it.
    HWND holder = GetParent(control);
    RECT held{}, box{};
    GetWindowRect(control, &box);
    if (holder && holder != reinterpret_cast<HWND>(top) && GetClientRect(holder, &held) &&
        held.right == box.right - box.left)
        Widen(holder, needed);
    Widen(control, needed);
    return TRUE;
}

}  // namespace

void FitCheckBoxesToCaptions(HWND window) { EnumChildWindows(window, FitOne, reinterpret_cast<LPARAM>(window)); }

}  // namespace qm::win32
