#pragma once
// While a long operation works on the file list, the wait cursor shows and the
// status cell 1085 tells how far it has come; afterwards both are as before.
#include <windows.h>

#include <string>

#include "core/run/run_progress.h"

namespace qm {

class StatusProgress : public RunProgress {
public:
    // `verb` names the work: "Renaming", "Undoing", "Adding".
    StatusProgress(HWND mainWindow, const char16_t* verb);
    ~StatusProgress() override;
    StatusProgress(const StatusProgress&) = delete;
    StatusProgress& operator=(const StatusProgress&) = delete;

    void Advance(std::size_t done, std::size_t total) override;

private:
    HWND cell_;
    const char16_t* verb_;
    std::wstring textBefore_;
    HCURSOR cursorBefore_;
    ULONGLONG lastPaint_;
    bool painted_ = false;
};

}  // namespace qm
