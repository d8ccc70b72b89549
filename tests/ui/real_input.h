#pragma once
// Real input for tests that press keys, move the pointer or click: all of them
// share one desktop, so the pointer, the keys held, the window in front and
// the keyboard focus carry from one test to the next. A test makes the state
// it needs with these and waits until the desktop shows it; RealInputScene
// leaves no key or button held behind.
#include <windows.h>

#include "program_process.h"

namespace qm::testing {

inline bool AnyKeyHeld() {
    for (int key = 1; key < 256; ++key)
        if (GetAsyncKeyState(key) & 0x8000) return true;
    return false;
}

// Lets go of every key and mouse button that the desktop reports held, and
// waits until none is.
inline bool ReleaseHeldKeys() {
    for (int key = 1; key < 256; ++key) {
        if (!(GetAsyncKeyState(key) & 0x8000)) continue;
        INPUT up{};
        if (key == VK_LBUTTON || key == VK_RBUTTON || key == VK_MBUTTON) {
            up.type = INPUT_MOUSE;
            up.mi.dwFlags = key == VK_LBUTTON ? MOUSEEVENTF_LEFTUP
                            : key == VK_RBUTTON ? MOUSEEVENTF_RIGHTUP
                                                : MOUSEEVENTF_MIDDLEUP;
        } else {
            up.type = INPUT_KEYBOARD;
            up.ki.wVk = static_cast<WORD>(key);
            up.ki.dwFlags = KEYEVENTF_KEYUP;
        }
        SendInput(1, &up, sizeof(up));
    }
    return WaitUntil([] { return !AnyKeyHeld(); }, 2000);
}

// The window in front, active, and the keyboard focus on it or one of its
// controls, as the desktop reports to every process.
inline bool InFrontWithFocus(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (GetForegroundWindow() != window || !GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
        return false;
    return info.hwndActive == window && (info.hwndFocus == window || IsChild(window, info.hwndFocus));
}

// Brings the window to the front and waits until it is active there. With
// `focus`, a window that the system left without a focused control gets the
// focus itself, as a click on its caption would give it.
inline bool BringToFront(HWND window, bool focus = true) {
    return WaitUntil(
        [&] {
            if (GetForegroundWindow() != window) SetForegroundWindow(window);
            if (!focus) return GetForegroundWindow() == window;
            if (GetForegroundWindow() == window && !InFrontWithFocus(window)) {
                // The focus is the window's thread's own: it is given there.
                SendMessageTimeoutW(window, WM_SETFOCUS, 0, 0, SMTO_ABORTIFHUNG, 1000, nullptr);
            }
            return InFrontWithFocus(window);
        },
        5000);
}

// Puts the pointer at `at` and waits until the desktop keeps it there: under a
// virtual display the pointer reaches a new place a moment later, and a late
// motion event can still move it back.
inline bool PutPointer(POINT at) {
    int steady = 0;
    return WaitUntil(
        [&] {
            POINT now{};
            GetCursorPos(&now);
            if (now.x != at.x || now.y != at.y) {
                SetCursorPos(at.x, at.y);
                steady = 0;
                return false;
            }
            return ++steady >= 5;
        },
        5000);
}

// The pointer onto `at`, and a click there: the button goes down and up.
// False when the pointer did not get there.
inline bool ClickAt(POINT at) {
    if (!PutPointer(at)) return false;
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
    return true;
}

// A click on the middle of the control.
inline bool ClickOn(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    return ClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

// A key pressed and let go, as the keyboard sends it to the focus.
inline void PressKey(WORD key) {
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

// For the length of a test that uses real input: nothing held when it starts
// and nothing held when it ends, whatever it left half done.
class RealInputScene {
public:
    RealInputScene() { ready_ = ReleaseHeldKeys(); }
    ~RealInputScene() { ReleaseHeldKeys(); }
    RealInputScene(const RealInputScene&) = delete;
    RealInputScene& operator=(const RealInputScene&) = delete;
    bool ready() const { return ready_; }

private:
    bool ready_;
};

}  // namespace qm::testing
