#include "ui/file_list/status_progress.h"

#include "core/run/progress_text.h"
#include "resource_ids.h"

namespace qm {

namespace {
// Often enough to see it move, seldom enough to cost next to nothing.
constexpr ULONGLONG RepaintIntervalMs = 250;
}  // namespace

StatusProgress::StatusProgress(HWND mainWindow, const char16_t* verb)
    : cell_(GetDlgItem(mainWindow, IDC_STATUS_MESSAGE)),
      verb_(verb),
      cursorBefore_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))),
      lastPaint_(GetTickCount64()) {
    const int length = GetWindowTextLengthW(cell_);
    textBefore_.resize(static_cast<std::size_t>(length) + 1);
    textBefore_.resize(static_cast<std::size_t>(GetWindowTextW(cell_, textBefore_.data(), length + 1)));
}

StatusProgress::~StatusProgress() {
    if (painted_) {
        SetWindowTextW(cell_, textBefore_.c_str());
        UpdateWindow(cell_);
    }
    SetCursor(cursorBefore_);
}

void StatusProgress::Advance(std::size_t done, std::size_t total) {
    const ULONGLONG now = GetTickCount64();
    if (now - lastPaint_ < RepaintIntervalMs) return;
    lastPaint_ = now;
    painted_ = true;
    SetWindowTextW(cell_, reinterpret_cast<const wchar_t*>(ProgressText(verb_, done, total).c_str()));
    UpdateWindow(cell_);
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    // Looking at the queue tells the system the window is alive, so it is not
    // replaced by a "not responding" ghost; nothing is taken from the queue.
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
}

}  // namespace qm
