#include "ui/options/offset_counter.h"

#include <commctrl.h>

#include <algorithm>

#include "resource_ids.h"
#include "win32/controls/dialog_items.h"

namespace qm {

namespace {

// An edit of digits and its up-down, whose whole range the run uses and the settings keep.
struct Counter {
    int edit, upDown;
    WPARAM digits;
    std::int32_t minimum, maximum;
};

constexpr Counter Offset{IDC_OFFSET_EDIT, IDC_OFFSET_UPDOWN, 5, 0, OffsetMaximum};
constexpr Counter Step{IDC_STEP_EDIT, IDC_STEP_UPDOWN, 4, 1, StepMaximum};

// UDM_SETRANGE would end the up-down at 32767, while the edit takes five digits.
void SetRange(HWND mainWindow, const Counter& counter) {
    win32::SendDialogItem(mainWindow, counter.edit, EM_LIMITTEXT, counter.digits, 0);
    win32::SendDialogItem(mainWindow, counter.upDown, UDM_SETRANGE32, counter.minimum, counter.maximum);
}

void Set(HWND mainWindow, const Counter& counter, std::int32_t value) {
    win32::SendDialogItem(mainWindow, counter.upDown, UDM_SETPOS32, 0, std::clamp(value, counter.minimum, counter.maximum));
}

std::int32_t Value(HWND mainWindow, const Counter& counter) {
    return static_cast<std::int32_t>(win32::SendDialogItem(mainWindow, counter.upDown, UDM_GETPOS32, 0, 0));
}

}  // namespace

void SetOffsetRange(HWND mainWindow) { SetRange(mainWindow, Offset); }
void SetOffset(HWND mainWindow, std::int32_t value) { Set(mainWindow, Offset, value); }
std::int32_t OffsetValue(HWND mainWindow) { return Value(mainWindow, Offset); }

void SetStepRange(HWND mainWindow) { SetRange(mainWindow, Step); }
void SetStep(HWND mainWindow, std::int32_t value) { Set(mainWindow, Step, value); }
std::int32_t StepValue(HWND mainWindow) { return Value(mainWindow, Step); }

}  // namespace qm
