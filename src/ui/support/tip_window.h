#pragma once
// One tooltip window for one control, made the same way for every tip.
#include <windows.h>

#include <string_view>

namespace qm {

// A tooltip window of its own for one control; null when it cannot be made.
HWND MakeTip(HWND parent, HWND control, const wchar_t* text);

// Gives the tip that MakeTip made for `control` a new text.
void SetTipText(HWND tip, HWND control, std::wstring_view text);

}  // namespace qm
