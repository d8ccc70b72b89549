#include "ui/support/tip_window.h"

#include <commctrl.h>

#include <string>

namespace qm {

HWND MakeTipWindow(HWND parent) {
    HWND tip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (tip) SetWindowPos(tip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return tip;
}

void AddTip(HWND tip, HWND control, const wchar_t* text) {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;  // the size that fits this build, 32 or 64 bits
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = control;
    tool.uId = 0;
    GetClientRect(control, &tool.rect);
    tool.hinst = GetModuleHandleW(nullptr);
    tool.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

HWND MakeTip(HWND parent, HWND control, const wchar_t* text) {
    HWND tip = MakeTipWindow(parent);
    if (tip) AddTip(tip, control, text);
    return tip;
}

void SetTipText(HWND tip, HWND control, std::wstring_view text) {
    std::wstring copy(text);
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = control;
    tool.uId = 0;
    tool.hinst = GetModuleHandleW(nullptr);
    tool.lpszText = copy.data();
    SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace qm
