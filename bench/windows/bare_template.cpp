// The floor of the start benchmark: the main window's dialog template, with
// the program's manifest and resources, shown by a procedure that does
// nothing, from a process that does nothing else.
#include <windows.h>
#include <commctrl.h>

#include "resource_ids.h"

namespace {

INT_PTR CALLBACK BareProcedure(HWND window, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) return FALSE;  // as the main window: no initial focus
    if (message == WM_CLOSE) EndDialog(window, 0);
    return FALSE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    InitCommonControls();
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, BareProcedure, 0);
    return 0;
}
