#include "app/application.h"

#include <commctrl.h>

#include "app/hidden_window.h"
#include "app/instance_handover.h"
#include "resource_ids.h"

namespace qm {

namespace {
// Kept, never closed, for the life of the process.
HANDLE singleInstanceMutex = nullptr;
}  // namespace

int RunApplication(HINSTANCE instance) {
    singleInstanceMutex = CreateMutexW(nullptr, FALSE, SingleInstanceMutexName);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        // The running one takes the paths, or only comes to the front.
        HandOverToRunningInstance(CommandLineEntries());
        return 0;
    }
    if (OutsideBatch entries = CommandLineEntries(); !entries.empty()) PutOutsideBatch(std::move(entries));

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = HiddenWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_PROGRAM));
    windowClass.hIconSm = LoadIconW(instance, MAKEINTRESOURCEW(IDI_PROGRAM));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = HiddenWindowClass;
    if (!RegisterClassExW(&windowClass)) return 0;

    HWND hidden = CreateWindowExW(0, HiddenWindowClass, nullptr, 0, 0, 0, 0, 0, nullptr, nullptr,
                                  instance, nullptr);
    if (!hidden) return 0;

    InitCommonControls();

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return static_cast<int>(message.wParam);
}

}  // namespace qm
