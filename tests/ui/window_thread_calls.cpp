#include "window_thread_calls.h"

#include <memory>

namespace qm::testing {

namespace {

WindowThreadCalls* active = nullptr;  // the hook procedure has no data of its own

UINT RunMessage() {
    static const UINT message = RegisterWindowMessageW(L"QuillmothTestRun");
    return message;
}

constexpr wchar_t RunnerClass[] = L"QuillmothTestRunner";

struct Search {
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK TakeDialogWithCaption(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    wchar_t className[32] = {};
    wchar_t title[128] = {};
    GetClassNameW(window, className, 32);
    GetWindowTextW(window, title, 128);
    if (std::wstring(className) != L"#32770" || !IsWindowVisible(window) || std::wstring(title) != search->caption)
        return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

WindowThreadCalls::WindowThreadCalls(HWND window)
    : window_(window), threadId_(GetWindowThreadProcessId(window, nullptr)) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = RunnerProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = RunnerClass;
    RegisterClassW(&windowClass);  // already registered by an earlier test is fine
    active = this;
    hook_ = SetWindowsHookExW(WH_GETMESSAGE, GetMessageHook, nullptr, threadId_);
}

WindowThreadCalls::~WindowThreadCalls() {
    if (runner_ && IsWindow(runner_)) call([this] { DestroyWindow(runner_); }, 2000);
    if (hook_) UnhookWindowsHookEx(hook_);
    active = nullptr;
}

LRESULT CALLBACK WindowThreadCalls::GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    WindowThreadCalls* self = active;
    if (code == HC_ACTION && wParam == PM_REMOVE && self && message->hwnd == self->window_) {
        if (message->message == RunMessage()) {
            // Handed on to a window procedure, outside this hook, where a
            // modal loop may run as it does in a command handler.
            if (!self->runner_)
                self->runner_ = CreateWindowExW(0, RunnerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                                GetModuleHandleW(nullptr), nullptr);
            message->hwnd = self->runner_;
        } else if (message->message == WM_COMMAND) {
            std::lock_guard lock(self->mutex_);
            self->commands_.push_back({message->wParam, message->lParam});
            message->message = WM_NULL;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK WindowThreadCalls::RunnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == RunMessage()) {
        std::unique_ptr<std::function<void()>> work(reinterpret_cast<std::function<void()>*>(lParam));
        (*work)();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void WindowThreadCalls::post(std::function<void()> work) {
    auto* held = new std::function<void()>(std::move(work));
    if (!PostMessageW(window_, RunMessage(), 0, reinterpret_cast<LPARAM>(held))) delete held;
}

bool WindowThreadCalls::call(std::function<void()> work, DWORD milliseconds) {
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    post([work = std::move(work), done] {
        work();
        SetEvent(done);
    });
    const bool finished = WaitForSingleObject(done, milliseconds) == WAIT_OBJECT_0;
    if (finished) CloseHandle(done);  // otherwise the late work still needs it
    return finished;
}

std::vector<PostedCommand> WindowThreadCalls::takePostedCommands() {
    std::lock_guard lock(mutex_);
    std::vector<PostedCommand> taken;
    taken.swap(commands_);
    return taken;
}

bool WindowThreadCalls::drain() {
    // A posted call runs after everything posted before it.
    return call([] {});
}

HWND WaitForDialog(DWORD threadId, const wchar_t* caption, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        Search search{caption, nullptr};
        EnumThreadWindows(threadId, TakeDialogWithCaption, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        if (GetTickCount() - start > milliseconds) return nullptr;
        Sleep(10);
    }
}

OpenedWindow::OpenedWindow(WindowThreadCalls& calls, std::function<void()> open, const wchar_t* caption)
    : ended_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    HANDLE ended = ended_;
    calls.post([open = std::move(open), ended] {
        open();
        SetEvent(ended);
    });
    dialog_ = WaitForDialog(calls.threadId(), caption);
}

OpenedWindow::~OpenedWindow() {
    if (dialog_ && !closed()) {
        PostMessageW(dialog_, WM_CLOSE, 0, 0);
        waitClosed(5000);
    }
    if (closed()) CloseHandle(ended_);  // a window that never closed still holds the event
}

void OpenedWindow::type(int id, const std::wstring& text) const {
    for (wchar_t character : text) SendMessageW(control(id), WM_CHAR, character, 1);
}

std::wstring OpenedWindow::text(int id) const {
    wchar_t buffer[2048] = {};
    GetWindowTextW(control(id), buffer, 2048);
    return buffer;
}

bool OpenedWindow::waitClosed(DWORD milliseconds) const {
    return WaitForSingleObject(ended_, milliseconds) == WAIT_OBJECT_0;
}

}  // namespace qm::testing
