#include "ui/support/dialog_support.h"

#include <vector>

#include "core/layout/remembered_position.h"
#include "resource_ids.h"
#include "win32/controls/dialog_items.h"

namespace qm {

namespace {
HICON SharedProgramIcon(int size) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON,
                                         size, size, LR_DEFAULTCOLOR | LR_SHARED));
}
}  // namespace

void SetProgramIcons(HWND window) {
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(SharedProgramIcon(16)));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(SharedProgramIcon(32)));
}

bool PlaceAtRememberedPoint(HWND window, const PointRecord& point, const RectRecord& desktop) {
    RECT bounds{};
    if (!GetWindowRect(window, &bounds)) return false;
    if (!FitsInside(point, bounds.right - bounds.left, bounds.bottom - bounds.top, desktop)) return false;
    SetWindowPos(window, HWND_TOP, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOCOPYBITS);
    return true;
}

PointRecord TopLeftOnScreen(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    return {bounds.left, bounds.top};
}

bool IsChecked(HWND window, int controlId) {
    return win32::SendDialogItem(window, controlId, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::wstring ControlText(HWND control, std::size_t maxUnits) {
    std::vector<wchar_t> buffer(maxUnits + 1, L'\0');
    const int length = GetWindowTextW(control, buffer.data(), static_cast<int>(buffer.size()));
    return std::wstring(buffer.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}

}  // namespace qm
