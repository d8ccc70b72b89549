#pragma once
// A dialog's controls by their ids, looked up once. Some implementations
// (Wine's among them) answer each GetDlgItem, and so each SendDlgItemMessage,
// SetDlgItemText and IsDlgButtonChecked, by asking for the dialog's whole list
// of children: some 40 microseconds in the main window, paid hundreds of
// times as it opens, and at each keystroke's preview. Here each control is
// asked for once and kept, checked at each look-up against the control
// itself, so that one destroyed and made again is found again.
#include <windows.h>

namespace qm::win32 {

// As GetDlgItem: the child of `dialog` whose id is `id`, or null.
HWND DialogItem(HWND dialog, int id);

// As SendDlgItemMessageW, SetDlgItemTextW and GetDlgItemTextW.
LRESULT SendDialogItem(HWND dialog, int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
BOOL SetDialogItemText(HWND dialog, int id, const wchar_t* text);
UINT GetDialogItemText(HWND dialog, int id, wchar_t* text, int size);

}  // namespace qm::win32
