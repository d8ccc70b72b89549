#include "ui/windows/about_window.h"

#include <shellapi.h>

#include "app/dialog_theme.h"
#include "resource_ids.h"
#include "ui/support/dialog_support.h"
#include "win32/help.h"
#include "win32/files/program_folder.h"
#include "win32/controls/dialog_items.h"

// The time of the last commit, in seconds since 1970, which the build passes
// in, so that building the same sources again gives the same program.
#ifndef QUILLMOTH_BUILD_TIME
#define QUILLMOTH_BUILD_TIME 0
#endif

namespace qm {

namespace {

constexpr wchar_t ProductName[] = L"Quillmoth";
constexpr wchar_t ProductVersion[] = L"6.0.2.236";
constexpr COLORREF LinkColour = RGB(0, 0, 255);
constexpr std::int64_t UnixEpochInFileTime = 11'644'473'600;  // seconds from 1601 to 1970

void OpenWithShell(HWND owner, const wchar_t* address) {
    ShellExecuteW(owner, L"open", address, nullptr, nullptr, SW_SHOW);
}

WebAddressOpener webAddressOpener = OpenWithShell;

void OnInitDialog(HWND dialog) {
    EnableDialogTheme(dialog, true);
    SetProgramIcons(dialog);
    win32::SetDialogItemText(dialog, IDC_ABOUT_PRODUCT, AboutProductText(QUILLMOTH_BUILD_TIME).c_str());
}

// The link is drawn in blue on whatever lies behind it. The brush is a stock
// object: handing out a new one per paint would leak one with every repaint.
INT_PTR OnColourStatic(HWND dialog, HDC context, HWND control) {
    if (control != win32::DialogItem(dialog, IDC_ABOUT_LINK)) return 0;
    SetTextColor(context, LinkColour);
    SetBkMode(context, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(GetStockObject(HOLLOW_BRUSH));
}

void OnSetCursor(HWND dialog) {
    POINT pointer{};
    GetCursorPos(&pointer);
    SetCursor(LoadCursorW(nullptr, IsOverAboutLink(dialog, pointer) ? IDC_HAND : IDC_ARROW));
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
}

void OnLeftButtonUp(HWND dialog, LPARAM clientPoint) {
    POINT pointer{static_cast<short>(LOWORD(clientPoint)), static_cast<short>(HIWORD(clientPoint))};
    ClientToScreen(dialog, &pointer);
    if (IsOverAboutLink(dialog, pointer)) webAddressOpener(dialog, AboutLinkTarget().c_str());
}

}  // namespace

std::wstring AboutLinkTarget() { return win32::ProgramFolderFile(win32::HelpFileName); }

std::wstring AboutProductText(std::int64_t unixSeconds) {
    const auto ticks = static_cast<std::uint64_t>(unixSeconds + UnixEpochInFileTime) * 10'000'000ull;
    const FILETIME instant{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME utc{};
    FileTimeToSystemTime(&instant, &utc);
    wchar_t product[256] = {};
    wsprintfW(product, L"%s %s\n\nBuild Date:\n%02u.%02u.%04u - %02u:%02u:%02u UTC", ProductName, ProductVersion,
              utc.wMonth, utc.wDay, utc.wYear, utc.wHour, utc.wMinute, utc.wSecond);
    return product;
}

bool IsOverAboutLink(HWND aboutWindow, POINT screenPoint) {
    RECT link{};
    if (!GetWindowRect(win32::DialogItem(aboutWindow, IDC_ABOUT_LINK), &link)) return false;
    return PtInRect(&link, screenPoint) != FALSE;
}

WebAddressOpener SetWebAddressOpener(WebAddressOpener opener) {
    const WebAddressOpener before = webAddressOpener;
    webAddressOpener = opener ? opener : OpenWithShell;
    return before;
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return FALSE;
    case WM_CTLCOLORSTATIC:
        return OnColourStatic(dialog, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
        OnSetCursor(dialog);
        return TRUE;
    case WM_LBUTTONUP:
        OnLeftButtonUp(dialog, lParam);
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

void OpenAboutWindow(HWND mainWindow) {
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), mainWindow, AboutDialogProc, 0);
}

}  // namespace qm
