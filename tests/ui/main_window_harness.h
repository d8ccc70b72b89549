#pragma once
// Runs the main window in this process, on a thread of its own as the program
// does, so that a test can drive it with messages and look at its controls.
#include <windows.h>

#include <memory>
#include <string>
#include <thread>

#include "app/process_records.h"
#include "program_process.h"

namespace qm::testing {

// Forgets everything an earlier window left in the records, as a new process
// would, so that what a window shows can only come from its file.
inline void ResetRecordsToDefaults() {
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    Settings() = MakeDefaultAppSettings({desktop.left, desktop.top, desktop.right, desktop.bottom},
                                        123456789012345678ull);
    Presets() = MakeDefaultPresets(123456789012345678ull);
}

class MainWindowHarness {
public:
    // The tips made before the constructor returns, or left to the window's own timer.
    enum class Tips { MadeAtOnce, LeftToTheWindow };
    // Opens the window with its settings file in a fresh temporary folder.
    explicit MainWindowHarness(Tips tips = Tips::MadeAtOnce);
    // Opens the window with the given settings file.
    explicit MainWindowHarness(const std::wstring& settingsFile);
    ~MainWindowHarness();  // closes the window if it is still open
    MainWindowHarness(const MainWindowHarness&) = delete;
    MainWindowHarness& operator=(const MainWindowHarness&) = delete;

    HWND window() const { return window_; }
    HWND control(int id) const { return GetDlgItem(window_, id); }
    // Sends WM_CLOSE and waits for the dialog to end; false on a timeout.
    bool close();
    bool ended() const { return WaitForSingleObject(ended_, 0) == WAIT_OBJECT_0; }

private:
    void open(const std::wstring& settingsFile, Tips tips = Tips::MadeAtOnce);

    std::unique_ptr<TemporaryFolder> folder_;
    std::thread uiThread_;
    HANDLE ended_ = nullptr;
    HWND window_ = nullptr;
};

}  // namespace qm::testing
