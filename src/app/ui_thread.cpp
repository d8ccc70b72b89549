#include "app/ui_thread.h"

#include "app/private_commands.h"
#include "resource_ids.h"
#include "ui/main_window/main_window.h"

namespace qm {

BOOL UiThreadMain(HWND hiddenWindow) {
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainDialogProc, 0);
    return PostMessageW(hiddenWindow, WM_COMMAND, CmdUiEnded, 0);
}

}  // namespace qm
