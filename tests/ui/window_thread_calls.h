#pragma once
// Running code on the main window's own thread, as its commands run, and
// watching the commands that are posted to it; opening a modal window there
// and finding it from the test thread.
#include <windows.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace qm::testing {

struct PostedCommand {
    WPARAM wParam;
    LPARAM lParam;
};

class WindowThreadCalls {
public:
    // Hooks the message retrieval of `window`'s thread; one at a time.
    explicit WindowThreadCalls(HWND window);
    ~WindowThreadCalls();
    WindowThreadCalls(const WindowThreadCalls&) = delete;
    WindowThreadCalls& operator=(const WindowThreadCalls&) = delete;

    // Runs `work` on the window's thread from a window procedure, so it may
    // run a modal loop; returns at once.
    void post(std::function<void()> work);
    // Runs `work` there and waits until it is done (false on a timeout).
    bool call(std::function<void()> work, DWORD milliseconds = 10000);

    // WM_COMMAND messages posted to the window since the last take. They are
    // taken out of the queue, so the window itself never acts on them.
    std::vector<PostedCommand> takePostedCommands();
    // Waits until the window's queue has been emptied once more.
    bool drain();

    HWND window() const { return window_; }
    DWORD threadId() const { return threadId_; }

private:
    static LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK RunnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_;
    DWORD threadId_;
    HHOOK hook_ = nullptr;
    HWND runner_ = nullptr;  // made on the window's thread by the hook
    std::mutex mutex_;
    std::vector<PostedCommand> commands_;
};

// The visible dialog of the thread with this caption, waiting for it; null on a timeout.
HWND WaitForDialog(DWORD threadId, const wchar_t* caption, DWORD milliseconds = 5000);

// A modal window opened on the main window's thread, as a command opens it.
class OpenedWindow {
public:
    OpenedWindow(WindowThreadCalls& calls, std::function<void()> open, const wchar_t* caption);
    ~OpenedWindow();  // closes the window if it is still open
    OpenedWindow(const OpenedWindow&) = delete;
    OpenedWindow& operator=(const OpenedWindow&) = delete;

    HWND dialog() const { return dialog_; }
    HWND control(int id) const { return GetDlgItem(dialog_, id); }
    // Presses a button the way a click does: it toggles an auto box and
    // notifies the window.
    void click(int id) const { SendMessageW(control(id), BM_CLICK, 0, 0); }
    // Types the text into an edit, character by character.
    void type(int id, const std::wstring& text) const;
    std::wstring text(int id) const;
    bool checked(int id) const { return SendMessageW(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool waitClosed(DWORD milliseconds = 5000) const;
    bool closed() const { return waitClosed(0); }

private:
    HANDLE ended_;
    HWND dialog_ = nullptr;
};

}  // namespace qm::testing
