#include "win32/message_box.h"
#include "win32/controls/dialog_items.h"

#include <string>

namespace qm::win32 {

namespace {

constexpr int MessageTextId = 0xFFFF;

thread_local HHOOK boxHook = nullptr;

// The room the text needs, as the box's static control draws it.
SIZE TextNeeds(HWND text, HFONT font, int width) {
    std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(text)) + 1, L'\0');
    caption.resize(static_cast<std::size_t>(GetWindowTextW(text, caption.data(), static_cast<int>(caption.size()))));
    HDC context = GetDC(text);
    HGDIOBJ old = SelectObject(context, font);
    RECT r{0, 0, width, 0};
    DrawTextW(context, caption.c_str(), -1, &r, DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX);
    SelectObject(context, old);
    ReleaseDC(text, context);
    return {r.right, r.bottom};
}

void FitText(HWND box) {
    HWND text = win32::DialogItem(box, MessageTextId);
    if (!text) return;
    RECT room{}, inBox{}, boxClient{};
    GetClientRect(text, &room);
    GetWindowRect(text, &inBox);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&inBox), 2);
    GetClientRect(box, &boxClient);
    HDC context = GetDC(text);
    const int slack = MulDiv(4, GetDeviceCaps(context, LOGPIXELSX), 96);
    ReleaseDC(text, context);
    const SIZE needs = TextNeeds(text, reinterpret_cast<HFONT>(SendMessageW(text, WM_GETFONT, 0, 0)), room.right);
    if (needs.cx + slack <= room.right || inBox.right + slack > boxClient.right) return;
    SetWindowPos(text, nullptr, 0, 0, inBox.right - inBox.left + slack, inBox.bottom - inBox.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK OnBoxActivated(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        wchar_t className[16] = {};
        GetClassNameW(reinterpret_cast<HWND>(wParam), className, 16);
        if (lstrcmpW(className, L"#32770") == 0) FitText(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(boxHook, code, wParam, lParam);
}

}  // namespace

int ShowMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
    const bool hooked = !boxHook;
    if (hooked) boxHook = SetWindowsHookExW(WH_CBT, OnBoxActivated, nullptr, GetCurrentThreadId());
    const int answer = MessageBoxW(owner, text, caption, type);
    if (hooked && boxHook) {
        UnhookWindowsHookEx(boxHook);
        boxHook = nullptr;
    }
    return answer;
}

}  // namespace qm::win32
