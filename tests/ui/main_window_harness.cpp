#include "main_window_harness.h"

#include <commctrl.h>

#include <atomic>

#include "app/private_commands.h"
#include "app/process_records.h"
#include "resource_ids.h"
#include "ui/main_window/main_window.h"

namespace qm::testing {

namespace {
BOOL CALLBACK TakeDialog(HWND window, LPARAM found) {
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (std::wstring(className) != L"#32770" || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}
}  // namespace

MainWindowHarness::MainWindowHarness(Tips tips) : folder_(std::make_unique<TemporaryFolder>()) {
    open(folder_->File(L"settings.ini"), tips);
}

MainWindowHarness::MainWindowHarness(const std::wstring& settingsFile) { open(settingsFile); }

void MainWindowHarness::open(const std::wstring& settingsFile, Tips tips) {
    SettingsFileLocation() = settingsFile;
    InitCommonControls();
    ended_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<DWORD> threadId{0};
    uiThread_ = std::thread([this, &threadId] {
        threadId = GetCurrentThreadId();
        DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainDialogProc, 0);
        SetEvent(ended_);
    });
    for (int i = 0; i < 2000 && !window_ && !ended(); ++i) {
        if (threadId) EnumThreadWindows(threadId, TakeDialog, reinterpret_cast<LPARAM>(&window_));
        if (!window_) Sleep(10);
    }
    // What the window does once it is on screen (its tips), done before any test looks.
    if (window_ && tips == Tips::MadeAtOnce) SendMessageW(window_, WM_COMMAND, CmdFinishOpening, 0);
}

MainWindowHarness::~MainWindowHarness() {
    if (window_ && !ended()) close();
    if (uiThread_.joinable()) uiThread_.join();
    CloseHandle(ended_);
}

bool MainWindowHarness::close() {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    return WaitForSingleObject(ended_, 20000) == WAIT_OBJECT_0;
}

}  // namespace qm::testing
