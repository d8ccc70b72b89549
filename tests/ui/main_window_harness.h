#pragma once
// Runs the main window in this process, on a thread of its own as the program
// does, so that a test can drive it with messages and look at its controls.
#include <windows.h>

#include <string>
#include <thread>

namespace qm::testing {

class MainWindowHarness {
public:
    MainWindowHarness();
    ~MainWindowHarness();  // closes the window if it is still open
    MainWindowHarness(const MainWindowHarness&) = delete;
    MainWindowHarness& operator=(const MainWindowHarness&) = delete;

    HWND window() const { return window_; }
    HWND control(int id) const { return GetDlgItem(window_, id); }
    // Sends WM_CLOSE and waits for the dialog to end; false on a timeout.
    bool close();
    bool ended() const { return WaitForSingleObject(ended_, 0) == WAIT_OBJECT_0; }

private:
    std::thread uiThread_;
    HANDLE ended_ = nullptr;
    HWND window_ = nullptr;
};

}  // namespace qm::testing
