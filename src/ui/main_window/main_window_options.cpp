#include "ui/main_window/main_window_options.h"

#include <commctrl.h>

#include <algorithm>

#include "app/font_set.h"
#include "core/layout/column_widths.h"
#include "core/layout/remembered_position.h"
#include "core/rows/file_row.h"
#include "core/settings/window_alpha.h"
#include "resource_ids.h"
#include "ui/options/date_picker.h"
#include "ui/options/flag_controls.h"
#include "ui/options/name_options.h"
#include "ui/options/offset_counter.h"
#include "win32/controls/dialog_items.h"

namespace qm {

namespace {

constexpr UINT PlacementLength = 44;

// A placement's normal rectangle is in workspace coordinates, which count
// from the corner of the primary screen's work area; screen coordinates count
// from the corner of the primary screen.
POINT WorkspaceOrigin() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return {work.left, work.top};
}

// The normal rectangle brought inside the work area of the screen that it
// mostly lies on, or of the primary one when it lies on none.
RECT OnItsScreen(RECT normal) {
    const POINT origin = WorkspaceOrigin();
    OffsetRect(&normal, origin.x, origin.y);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromRect(&normal, MONITOR_DEFAULTTOPRIMARY), &monitor)) return normal;
    const RectRecord inside = BroughtInside({normal.left, normal.top, normal.right, normal.bottom},
                                            {monitor.rcWork.left, monitor.rcWork.top, monitor.rcWork.right,
                                             monitor.rcWork.bottom});
    RECT placed{inside.left, inside.top, inside.right, inside.bottom};
    OffsetRect(&placed, -origin.x, -origin.y);
    return placed;
}

}  // namespace

void ApplySettingsToMainWindow(HWND window, const AppSettings& settings) {
    ApplyFlagWord(window, MainControlFlagControls(), settings.MainControlFlags, false);
    ApplyFlagWord(window, RenameFlagControls(), settings.RenameFlags, false);
    ApplyFlagWord(window, DateTimeFlagControls(), settings.DateTimeFlags, false);
    ApplyFlagWord(window, AttributeFlagControls(), settings.AttributeFlags, false);
    ApplyFlagWord(window, ExtensionFlagControls(), settings.ExtensionFlags, false);
    ApplyFlagWord(window, GeneralFlagControls(), settings.GeneralFlags, false);

    if (settings.GeneralFlags & General::Transparent) {
        SetWindowLongPtrW(window, GWL_EXSTYLE, GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_LAYERED);
        SetLayeredWindowAttributes(window, 0, WindowAlpha(settings.Opacity), LWA_ALPHA);
    }

    win32::SendDialogItem(window, IDC_PREFIX_BOX, CB_LIMITTEXT, 260, 0);
    win32::SendDialogItem(window, IDC_SUFFIX_BOX, CB_LIMITTEXT, 260, 0);
    win32::SendDialogItem(window, IDC_ZEROS_EDIT, EM_LIMITTEXT, 2, 0);
    win32::SendDialogItem(window, IDC_ZEROS_UPDOWN, UDM_SETRANGE, 0, MAKELPARAM(10, 1));
    win32::SendDialogItem(window, IDC_ZEROS_UPDOWN, UDM_SETPOS, 0, settings.Zeros & 0xFFFF);
    SetOffsetRange(window);
    SetOffset(window, settings.Offset);
    SetStepRange(window);
    SetStep(window, static_cast<std::int32_t>(std::min<std::uint32_t>(settings.Step, StepMaximum)));

    ShowFileTimeInPicker(win32::DialogItem(window, IDC_DATE_PICKER), settings.FileTime);
}

void ApplyMainWindowPlacement(HWND window, AppSettings& settings) {
    WINDOWPLACEMENT placement{};
    static_assert(sizeof(placement) == sizeof(settings.MainDlgWP));
    if (settings.MainDlgWP.length != 0) {
        settings.MainDlgWP.length = PlacementLength;
        CopyMemory(&placement, &settings.MainDlgWP, sizeof(placement));
    } else {
        // The template's size on a screen smaller than it: the frame and the
        // lists' right edge would hang off the screen.
        placement.length = PlacementLength;
        GetWindowPlacement(window, &placement);
    }
    const RECT normal = placement.rcNormalPosition;
    placement.rcNormalPosition = OnItsScreen(placement.rcNormalPosition);
    if (settings.MainDlgWP.length != 0 || !EqualRect(&normal, &placement.rcNormalPosition))
        SetWindowPlacement(window, &placement);
    if (win32::SendDialogItem(window, IDC_ALWAYS_ON_TOP, BM_GETCHECK) == BST_CHECKED)
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void CaptureMainWindowSettings(HWND window, AppSettings& settings) {
    settings.MainControlFlags = CaptureFlagWord(window, MainControlFlagControls());
    settings.RenameFlags = CaptureFlagWord(window, RenameFlagControls());
    settings.DateTimeFlags = CaptureFlagWord(window, DateTimeFlagControls());
    settings.AttributeFlags = CaptureFlagWord(window, AttributeFlagControls());
    settings.ExtensionFlags = CaptureFlagWord(window, ExtensionFlagControls());
    settings.GeneralFlags = CaptureFlagWord(window, GeneralFlagControls());

    settings.Zeros = LOWORD(win32::SendDialogItem(window, IDC_ZEROS_UPDOWN, UDM_GETPOS, 0, 0));
    settings.Offset = OffsetValue(window);
    settings.Step = static_cast<std::uint32_t>(StepValue(window));
    settings.NameCase = ChosenNameCase(window);

    // A picker without a valid time leaves the stored time as it was.
    if (const auto picked = PickerFileTime(win32::DialogItem(window, IDC_DATE_PICKER))) settings.FileTime = *picked;

    HWND fileList = win32::DialogItem(window, IDC_FILE_LIST);
    const int dpi = SystemDpi();
    const auto storedWidth = [fileList, dpi](int column) {
        return WidthToStore(static_cast<int>(SendMessageW(fileList, LVM_GETCOLUMNWIDTH, column, 0)), dpi);
    };
    for (int column = 0; column < static_cast<int>(FileListColumnCount); ++column)
        settings.FileListCols[column] = storedWidth(column);
    settings.NewNameWidth = static_cast<std::uint32_t>(storedWidth(FileListColumnCount));
    settings.TakenWidth = static_cast<std::uint32_t>(storedWidth(FileColumn::Taken));

    WINDOWPLACEMENT placement{};
    placement.length = PlacementLength;
    GetWindowPlacement(window, &placement);
    CopyMemory(&settings.MainDlgWP, &placement, sizeof(placement));
}

}  // namespace qm
