#include "ui/file_commands/file_work_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "app/private_commands.h"
#include "app/process_records.h"
#include "resource_ids.h"
#include "ui/file_list/main_window_state.h"
#include "win32/controls/dialog_items.h"
#include "win32/message_box.h"

namespace qm {

namespace {

constexpr UINT_PTR ProgressTimer = 0x4657;
// Four times a second at least, with room for a late timer.
constexpr UINT ProgressIntervalMs = 200;

std::wstring TextOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool IsOursOrChild(HWND window, HWND target) { return target == window || IsChild(window, target); }

// A left click on the frame that moves, sizes, minimises or maximises the
// window: that is the window's own business, not a command. The close box
// too, which asks first (CloseQuestion).
bool MovesOrSizes(const MSG& message) {
    if (message.message != WM_NCLBUTTONDOWN && message.message != WM_NCLBUTTONUP &&
        message.message != WM_NCLBUTTONDBLCLK)
        return false;
    const WPARAM hit = message.wParam;
    return hit == HTCAPTION || hit == HTMINBUTTON || hit == HTMAXBUTTON || hit == HTCLOSE ||
           (hit >= HTLEFT && hit <= HTBOTTOMRIGHT);
}

// What closing the window asks while the work runs, by the button that stops it.
const wchar_t* CloseQuestion(HWND stopButton) {
    switch (stopButton ? GetDlgCtrlID(stopButton) : 0) {
    case IDC_START: return L"Stop the run and close Quillmoth?";
    case IDC_UNDO: return L"Stop the undo and close Quillmoth?";
    default: return L"Stop adding files and close Quillmoth?";
    }
}

// Esc, wherever the keyboard focus is. With no control focused (the one that
// started the work is greyed now, or the window came back to the front while
// its controls were greyed) the system hands the key to the window itself as
// WM_SYSKEYDOWN; Alt+Esc, which sends the window back, is that too, with the
// Alt bit set.
bool IsEscape(const MSG& message) {
    constexpr LPARAM AltHeld = LPARAM{1} << 29;
    if (message.wParam != VK_ESCAPE) return false;
    return message.message == WM_KEYDOWN || (message.message == WM_SYSKEYDOWN && !(message.lParam & AltHeld));
}

}  // namespace

FileWorkWindow::FileWorkWindow(HWND mainWindow, StatusProgress& progress, int stopButton)
    : window_(mainWindow),
      cell_(win32::DialogItem(mainWindow, IDC_STATUS_MESSAGE)),
      progress_(progress),
      cellBefore_(TextOf(cell_)),
      cursorBefore_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))),
      focusBefore_(GetFocus()) {
    if (stopButton != 0) {
        stopButton_ = win32::DialogItem(mainWindow, stopButton);
        captionBefore_ = TextOf(stopButton_);
        fontBefore_ = reinterpret_cast<HFONT>(SendMessageW(stopButton_, WM_GETFONT, 0, 0));
        // The symbol font of "^" has no letters.
        if (fontBefore_ && fontBefore_ == Fonts().symbolFont)
            SendMessageW(stopButton_, WM_SETFONT, SendMessageW(mainWindow, WM_GETFONT, 0, 0), TRUE);
        SetWindowTextW(stopButton_, L"Stop");
    }
    // The button whose click started the work may still hold the mouse; the
    // window must be movable and "Stop" pressable meanwhile.
    if (IsOursOrChild(window_, GetCapture())) ReleaseCapture();
    SetTimer(window_, ProgressTimer, ProgressIntervalMs, nullptr);
    StateOf(window_).work = this;
}

FileWorkWindow::~FileWorkWindow() {
    StateOf(window_).work = nullptr;
    KillTimer(window_, ProgressTimer);
    for (HWND control : disabled_) EnableWindow(control, TRUE);
    // A control that was disabled with the focus lost it.
    if (focusBefore_ && !GetFocus() && GetActiveWindow() == window_ && IsOursOrChild(window_, focusBefore_))
        SetFocus(focusBefore_);
    if (stopButton_) {
        SetWindowTextW(stopButton_, captionBefore_.c_str());
        if (fontBefore_ && fontBefore_ == Fonts().symbolFont)
            SendMessageW(stopButton_, WM_SETFONT, reinterpret_cast<WPARAM>(fontBefore_), TRUE);
    }
    if (painted_) {
        SetWindowTextW(cell_, cellBefore_.c_str());
        UpdateWindow(cell_);
    }
    SetCursor(cursorBefore_ ? cursorBefore_ : LoadCursorW(nullptr, IDC_ARROW));
    for (const WPARAM command : keptCommands_) PostMessageW(window_, WM_COMMAND, command, 0);
    // After what the work's caller has still to do: its journal, its message.
    if (closeWhenDone_) PostMessageW(window_, WM_CLOSE, 0, 0);
}

void FileWorkWindow::AskToStopAndClose() {
    if (asking_ || closeWhenDone_) return;
    asking_ = true;
    const int answer = win32::ShowMessageBox(window_, CloseQuestion(stopButton_), L"Quillmoth", MB_YESNO | MB_ICONQUESTION);
    asking_ = false;
    if (answer != IDYES) return;
    closeWhenDone_ = true;
    progress_.RequestStop();  // after the file in hand
}

bool FileWorkWindow::KeepFromWindow(const MSG& message) {
    if (!message.hwnd || !IsOursOrChild(window_, message.hwnd)) return false;
    const UINT id = message.message;
    if (id >= WM_KEYFIRST && id <= WM_KEYLAST) {
        if (IsEscape(message)) progress_.RequestStop();
        return true;
    }
    // The pointer may move over the window; only "Stop" may be pressed.
    if (id >= WM_MOUSEFIRST && id <= WM_MOUSELAST) return id != WM_MOUSEMOVE && message.hwnd != stopButton_;
    if (id >= WM_NCMOUSEMOVE && id <= WM_NCXBUTTONDBLCLK)
        return id != WM_NCMOUSEMOVE && !(message.hwnd == window_ && MovesOrSizes(message));
    return false;
}

bool FileWorkWindow::Answer(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    result = 0;
    switch (message) {
    case WM_COMMAND: {
        // Commands sent or posted meanwhile (the context menu's, a click's)
        // are dropped; the window's own private ones wait for the end.
        const HWND from = reinterpret_cast<HWND>(lParam);
        if (stopButton_ && from == stopButton_ && HIWORD(wParam) == BN_CLICKED) {
            progress_.RequestStop();
        } else if (LOWORD(wParam) >= CmdRefresh && lParam == 0 &&
                   std::find(keptCommands_.begin(), keptCommands_.end(), wParam) == keptCommands_.end()) {
            keptCommands_.push_back(wParam);
        }
        return true;
    }
    case WM_DROPFILES:
        DragFinish(reinterpret_cast<HDROP>(wParam));
        return true;
    case WM_CLOSE:
        AskToStopAndClose();
        result = TRUE;
        return true;
    case WM_CONTEXTMENU:
        result = TRUE;
        return true;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) AskToStopAndClose();
        if ((wParam & 0xFFF0) != SC_CLOSE && (wParam & 0xFFF0) != SC_KEYMENU) return false;
        result = TRUE;
        return true;
    case WM_NOTIFY: {
        // Only what draws the file list; nothing that acts.
        const UINT code = reinterpret_cast<const NMHDR*>(lParam)->code;
        return code != LVN_GETDISPINFOW && code != NM_CUSTOMDRAW;
    }
    case WM_TIMER:
        // The New Name column's pass waits too: its timer fires again later.
        if (wParam == ProgressTimer) ShowProgress();
        return true;
    case WM_ACTIVATE:
        return true;  // the files are not to be looked at again meanwhile
    case WM_SETCURSOR:
        if (LOWORD(lParam) != HTCLIENT) return false;
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        SetWindowLongPtrW(window_, DWLP_MSGRESULT, TRUE);
        result = TRUE;
        return true;
    default:
        return false;
    }
}

void FileWorkWindow::ShowProgress() {
    // Work that ends at once never shows its count nor greys the window.
    if (!painted_) DisableControls();
    painted_ = true;
    SetWindowTextW(cell_, reinterpret_cast<const wchar_t*>(progress_.Text().c_str()));
    UpdateWindow(cell_);
}

void FileWorkWindow::DisableControls() {
    // The controls the user could change; the lists stay as they look, since
    // the input to them is dropped anyway.
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        if (child == stopButton_ || id == IDC_FILE_LIST || id == IDC_EXT_LIST) continue;
        if (!(GetWindowLongPtrW(child, GWL_STYLE) & WS_TABSTOP) || !IsWindowEnabled(child)) continue;
        EnableWindow(child, FALSE);
        disabled_.push_back(child);
    }
}

bool AnswerDuringFileWork(HWND mainWindow, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    MainWindowState* state = FindMainWindowState(mainWindow);
    return state && state->work && state->work->Answer(message, wParam, lParam, result);
}

}  // namespace qm
