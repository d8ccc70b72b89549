#include "app/hidden_window.h"

#include <process.h>

#include "app/instance_handover.h"
#include "app/private_commands.h"
#include "app/ui_thread.h"

namespace qm {

namespace {

// Touched only by the main thread. The old handle is not closed when a new
// thread replaces it; the process ends soon after in any case.
HANDLE uiThread = nullptr;

unsigned __stdcall UiThreadEntry(void* hiddenWindow) {
    return static_cast<unsigned>(UiThreadMain(static_cast<HWND>(hiddenWindow)));
}

void StartUiThreadUnlessRunning(HWND window) {
    if (WaitForSingleObject(uiThread, 0) == WAIT_TIMEOUT) return;  // one is running
    const uintptr_t started = _beginthreadex(nullptr, 0, UiThreadEntry, window, 0, nullptr);
    if (started == 0) {
        // Without the user-interface thread nothing would ever be shown: end
        // the process cleanly instead of leaving it running invisibly.
        PostQuitMessage(0);
        return;
    }
    uiThread = reinterpret_cast<HANDLE>(started);
}

}  // namespace

LRESULT CALLBACK HiddenWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) return ReceiveHandover(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    if (message == WM_CREATE) {
        PostMessageW(window, WM_COMMAND, CmdStartUi, 0);
    } else if (message == WM_COMMAND) {
        const unsigned command = LOWORD(wParam);
        if (command == CmdStartUi) StartUiThreadUnlessRunning(window);
        if (command == CmdUiEnded) PostQuitMessage(0);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace qm
