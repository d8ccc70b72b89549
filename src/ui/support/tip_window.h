#pragma once
// Tooltip windows, their tools made the same way for every tip.
#include <windows.h>

#include <string_view>

namespace qm {

// A tooltip window of its own for one control; null when it cannot be made.
HWND MakeTip(HWND parent, HWND control, const wchar_t* text);

// An empty topmost tooltip window, for AddTip; null when it cannot be made.
HWND MakeTipWindow(HWND parent);

// Registers one more control with a tooltip window.
void AddTip(HWND tip, HWND control, const wchar_t* text);

// Gives the tip that MakeTip made for `control` a new text.
void SetTipText(HWND tip, HWND control, std::wstring_view text);

}  // namespace qm
