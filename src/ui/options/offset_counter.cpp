#include "ui/options/offset_counter.h"

#include <commctrl.h>

#include <algorithm>

#include "resource_ids.h"

namespace qm {

// UDM_SETRANGE would end the up-down at 32767, while the edit takes five digits.
void SetOffsetRange(HWND mainWindow) {
    SendDlgItemMessageW(mainWindow, IDC_OFFSET_EDIT, EM_LIMITTEXT, 5, 0);
    SendDlgItemMessageW(mainWindow, IDC_OFFSET_UPDOWN, UDM_SETRANGE32, 0, OffsetMaximum);
}

void SetOffset(HWND mainWindow, std::int32_t value) {
    SendDlgItemMessageW(mainWindow, IDC_OFFSET_UPDOWN, UDM_SETPOS32, 0, std::clamp(value, 0, OffsetMaximum));
}

std::int32_t OffsetValue(HWND mainWindow) {
    return static_cast<std::int32_t>(SendDlgItemMessageW(mainWindow, IDC_OFFSET_UPDOWN, UDM_GETPOS32, 0, 0));
}

void SetStepRange(HWND mainWindow) {
    SendDlgItemMessageW(mainWindow, IDC_STEP_EDIT, EM_LIMITTEXT, 4, 0);
    SendDlgItemMessageW(mainWindow, IDC_STEP_UPDOWN, UDM_SETRANGE32, 1, StepMaximum);
}

void SetStep(HWND mainWindow, std::int32_t value) {
    SendDlgItemMessageW(mainWindow, IDC_STEP_UPDOWN, UDM_SETPOS32, 0, std::clamp(value, 1, StepMaximum));
}

std::int32_t StepValue(HWND mainWindow) {
    return static_cast<std::int32_t>(SendDlgItemMessageW(mainWindow, IDC_STEP_UPDOWN, UDM_GETPOS32, 0, 0));
}

}  // namespace qm
