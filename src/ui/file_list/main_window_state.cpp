#include "ui/file_list/main_window_state.h"

namespace qm {

MainWindowState& AttachMainWindowState(HWND window) {
    auto* state = new MainWindowState;
    SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    return *state;
}

void DetachMainWindowState(HWND window) {
    auto* state = reinterpret_cast<MainWindowState*>(GetWindowLongPtrW(window, DWLP_USER));
    SetWindowLongPtrW(window, DWLP_USER, 0);
    if (state && state->redFrameBrush) DeleteObject(state->redFrameBrush);
    delete state;
}

MainWindowState* FindMainWindowState(HWND window) {
    return reinterpret_cast<MainWindowState*>(GetWindowLongPtrW(window, DWLP_USER));
}

}  // namespace qm
