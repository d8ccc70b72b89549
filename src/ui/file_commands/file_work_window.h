#pragma once
// The main window while file work runs on a worker thread: it keeps painting,
// moving and answering the system, but the user's clicks, keys, menu commands
// and drops are dropped, not queued; Esc and the "Stop" button ask the work to
// stop; the wait cursor shows; cell 1085 counts a few times a second. Closing
// the window asks whether to stop the work and close once it has stopped.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/file_list/status_progress.h"

namespace qm {

class FileWorkWindow {
public:
    // `stopButton`: the button whose caption reads "Stop" meanwhile; 0 for
    // none (Esc stops the work all the same).
    FileWorkWindow(HWND mainWindow, StatusProgress& progress, int stopButton);
    // The window as it was; the private commands that came meanwhile (paths
    // from a second start among them) are posted again, to be taken now.
    ~FileWorkWindow();
    FileWorkWindow(const FileWorkWindow&) = delete;
    FileWorkWindow& operator=(const FileWorkWindow&) = delete;

    // A message taken from the thread's queue: true when it must not be
    // dispatched, because it is the user's input to the window.
    bool KeepFromWindow(const MSG& message);

    // A message that reached the window procedure: true when it is answered
    // here, with the procedure's result in `result`.
    bool Answer(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

private:
    void ShowProgress();
    void DisableControls();
    void AskToStopAndClose();

    HWND window_;
    HWND cell_;
    HWND stopButton_ = nullptr;
    StatusProgress& progress_;
    std::wstring cellBefore_;
    std::wstring captionBefore_;
    HFONT fontBefore_ = nullptr;
    HCURSOR cursorBefore_;
    HWND focusBefore_;
    bool painted_ = false;
    bool asking_ = false;         // the question to close is on screen
    bool closeWhenDone_ = false;  // the user chose to stop and close
    std::vector<HWND> disabled_;
    std::vector<WPARAM> keptCommands_;
};

// For the main window's procedure, first thing: true when file work is under
// way and the message is answered by it.
bool AnswerDuringFileWork(HWND mainWindow, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

}  // namespace qm
