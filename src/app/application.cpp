#include "app/application.h"

#include <commctrl.h>
#include <imm.h>

#include "app/early_journal.h"
#include "app/hidden_window.h"
#include "app/instance_handover.h"
#include "app/process_records.h"
#include "resource_ids.h"
#include "win32/files/journal_file.h"

namespace qm {

namespace {

// Kept, never closed, for the life of the process.
HANDLE singleInstanceMutex = nullptr;

// Whether this process is the one Quillmoth: the first to make the mutex.
// Asked again, it lets go of its own handle first, which alone would keep the
// mutex of a Quillmoth that has ended alive.
bool BecomeTheOneInstance() {
    if (singleInstanceMutex) CloseHandle(singleInstanceMutex);
    singleInstanceMutex = CreateMutexW(nullptr, FALSE, SingleInstanceMutexName);
    return GetLastError() != ERROR_ALREADY_EXISTS;
}

}  // namespace

int RunApplication(HINSTANCE instance) {
    OutsideBatch entries = CommandLineEntries();
    if (!BecomeTheOneInstance()) {
        // The running one takes the paths, or only comes to the front. When
        // none is left to take them, this one opens its window with them;
        // when one runs but does not answer, the paths are not lost unsaid.
        switch (HandOverToRunningInstance(entries, BecomeTheOneInstance)) {
            case HandoverOutcome::Taken: return 0;
            case HandoverOutcome::TookOver: break;
            case HandoverOutcome::NotTaken:
                if (entries.empty()) return 0;
                MessageBoxW(nullptr, PathsNotAddedText(entries.size()).c_str(), L"Quillmoth: paths not added",
                            MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
                return PathsNotAddedExitCode;
        }
    }
    if (!entries.empty()) PutOutsideBatch(std::move(entries));

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

    // The main thread never takes keyboard input, so it needs no input
    // method window of its own (which its first window would otherwise make:
    // some 2.5 ms of the start under Wine).
    ImmDisableIME(GetCurrentThreadId());
    HWND hidden = CreateWindowExW(0, HiddenWindowClass, nullptr, 0, 0, 0, 0, 0, nullptr, nullptr,
                                  instance, nullptr);
    if (!hidden) return 0;
    // Only now, before the user-interface thread exists: a thread started
    // while the process's first window loads the display libraries held that
    // window back by some 5 ms under Wine.
    StartEarlyJournalRead(win32::JournalFilePath(SettingsFileLocation()));

    InitCommonControls();

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    // A later start must not wait on a window that no longer answers.
    DestroyWindow(hidden);
    return static_cast<int>(message.wParam);
}

}  // namespace qm
