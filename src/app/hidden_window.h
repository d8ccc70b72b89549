#pragma once
// The never-shown top-level window of class "MainWindow" on the main thread.
#include <windows.h>

namespace qm {

inline constexpr wchar_t HiddenWindowClass[] = L"MainWindow";

LRESULT CALLBACK HiddenWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace qm
