#include "ui/main_window.h"

#include <commctrl.h>

#include "app/dialog_theme.h"
#include "app/private_commands.h"
#include "app/process_records.h"
#include "core/layout/main_window_layout.h"
#include "resource_ids.h"
#include "ui/context_menu.h"
#include "ui/date_picker.h"
#include "ui/main_window_options.h"
#include "win32/settings_store.h"

namespace qm {

namespace {

// Made once when the window opens, kept while it exists.
HBRUSH redFrameBrush = nullptr;

constexpr const wchar_t* FileListCaptions[FileListColumnCount] = {
    L"File Name",          L"Created",             L"Modified",
    L"Accessed",           L"Path",                L"Attributes",
    L"Original File Name", L"Originally Created",  L"Originally Modified",
    L"Originally Accessed", L"Original Attributes"};

void SetWindowIcons(HWND window) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    auto small = LoadImageW(instance, MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR);
    auto big = LoadImageW(instance, MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR);
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
}

void SetControlFont(HWND window, int controlId, HFONT font) {
    SendDlgItemMessageW(window, controlId, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void SetButtonFonts(HWND window, const FontSet& fonts) {
    if (fonts.smallFont) SetControlFont(window, IDC_CURRENT_TIME, fonts.smallFont);
    if (fonts.bigFont) {
        for (int id : {IDC_START, IDC_CLEAR, IDC_ADD}) SetControlFont(window, id, fonts.bigFont);
    }
    if (fonts.symbolFont) {
        for (int id : {IDC_ROW_UP, IDC_ROW_DOWN, IDC_UNDO, IDC_HELP_BUTTON, IDC_SETTINGS_BUTTON, IDC_EXT_ADD,
                       IDC_EXT_DELETE, IDC_EXT_UP, IDC_EXT_DOWN})
            SetControlFont(window, id, fonts.symbolFont);
    }
}

void InsertColumn(HWND list, int index, const wchar_t* caption, int width) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(caption);
    column.cx = width;
    SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
}

void SetUpFileList(HWND window, const AppSettings& settings) {
    HWND list = GetDlgItem(window, IDC_FILE_LIST);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    for (int column = 0; column < static_cast<int>(FileListColumnCount); ++column)
        InsertColumn(list, column, FileListCaptions[column], settings.FileListCols[column]);
}

void SetUpExtensionList(HWND window) {
    HWND list = GetDlgItem(window, IDC_EXT_LIST);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    constexpr COLORREF paleGreen = RGB(220, 255, 220);
    SendMessageW(list, LVM_SETBKCOLOR, 0, paleGreen);
    SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, paleGreen);
    InsertColumn(list, 0, L"From", 73);
    InsertColumn(list, 1, L"To", 73);
}

// Lays a red frame one pixel around its target. The frame goes right behind
// the target in the z order and clips its siblings, so that it paints only
// the one-pixel border and never covers the box it marks.
void PlaceRedFrame(HWND window, int targetId, int frameId, int autoBoxId) {
    HWND target = GetDlgItem(window, targetId);
    HWND frame = GetDlgItem(window, frameId);
    RECT bounds{};
    GetWindowRect(target, &bounds);
    POINT topLeft{bounds.left, bounds.top};
    ScreenToClient(window, &topLeft);
    SetWindowLongPtrW(frame, GWL_STYLE, GetWindowLongPtrW(frame, GWL_STYLE) | WS_CLIPSIBLINGS);
    SetWindowPos(frame, target, topLeft.x - 1, topLeft.y - 1, bounds.right - bounds.left + 2,
                 bounds.bottom - bounds.top + 2, SWP_SHOWWINDOW | SWP_NOCOPYBITS);
    if (IsDlgButtonChecked(window, autoBoxId) != BST_CHECKED) ShowWindow(frame, SW_HIDE);
}

void PlaceRedFrames(HWND window) {
    PlaceRedFrame(window, IDC_PREFIX_BOX, IDC_PREFIX_FRAME, IDC_PREFIX_AUTO);
    PlaceRedFrame(window, IDC_SUFFIX_BOX, IDC_SUFFIX_FRAME, IDC_SUFFIX_AUTO);
    PlaceRedFrame(window, IDC_DATE_PICKER, IDC_DATE_FRAME, IDC_DATE_AUTO);
}

int HorizontalPixels(HWND window, int units) {
    RECT r{0, 0, units, 0};
    MapDialogRect(window, &r);
    return r.right;
}

int VerticalPixels(HWND window, int units) {
    RECT r{0, 0, 0, units};
    MapDialogRect(window, &r);
    return r.bottom;
}

void LayOut(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    MainLayoutLengths lengths;
    lengths.listTop = VerticalPixels(window, 90);
    lengths.statusHeight = VerticalPixels(window, 12);
    lengths.rightStrip = HorizontalPixels(window, 105);
    lengths.extensionWidth = HorizontalPixels(window, 100);
    lengths.countWidth = HorizontalPixels(window, 45);
    lengths.messageLeft = HorizontalPixels(window, 105);
    const MainWindowLayout layout = ComputeMainWindowLayout(client.right, client.bottom, lengths);

    auto place = [window](int id, const ControlBox& box, UINT flags) {
        SetWindowPos(GetDlgItem(window, id), HWND_TOP, box.x, box.y, box.width, box.height,
                     flags | SWP_SHOWWINDOW | SWP_NOCOPYBITS);
    };
    place(IDC_FILE_LIST, layout.fileList, SWP_NOMOVE);
    place(IDC_EXT_LIST, layout.extensionList, 0);
    place(IDC_STATUS_COUNT, layout.statusCount, SWP_NOSIZE);
    place(IDC_STATUS_SELECTION, layout.statusSelection, SWP_NOSIZE);
    place(IDC_STATUS_MESSAGE, layout.statusMessage, 0);
}

void OnInitDialog(HWND window) {
    AppSettings& settings = Settings();
    EnableDialogTheme(window, true);
    win32::ReadSettings(settings, SettingsFileLocation());
    SetWindowIcons(window);
    ApplySettingsToMainWindow(window, settings);
    SetButtonFonts(window, Fonts());
    SetUpFileList(window, settings);
    SetUpExtensionList(window);
    if (!redFrameBrush) redFrameBrush = CreateSolidBrush(RGB(255, 0, 0));
    PlaceRedFrames(window);
    win32::ReadListsAndPresets(settings, window, Presets(), SettingsFileLocation());
    ApplyMainWindowPlacement(window, settings);
}

void OnClose(HWND window) {
    AppSettings& settings = Settings();
    CaptureMainWindowSettings(window, settings);
    win32::WriteAllSettings(settings, window, Presets(), SettingsFileLocation());
    EndDialog(window, 0);
}

void PostRefresh(HWND window) { PostMessageW(window, WM_COMMAND, CmdRefresh, 0); }

void OnNotify(HWND window, const NMHDR& header) {
    const auto from = static_cast<int>(header.idFrom);
    if (header.code == DTN_DATETIMECHANGE && from == IDC_DATE_PICKER) {
        if (const auto picked = PickerFileTime(header.hwndFrom)) Settings().FileTime = *picked;
        PostRefresh(window);
    } else if (header.code == UDN_DELTAPOS && from == IDC_ZEROS_UPDOWN) {
        SetFocus(window);  // the zeros box is read-only: keep its caret away
        PostRefresh(window);
    } else if (header.code == UDN_DELTAPOS && from == IDC_OFFSET_UPDOWN) {
        PostRefresh(window);
    } else if (header.code == NM_CLICK && from == IDC_FILE_LIST) {
        PostRefresh(window);
    }
}

bool IsRedFrame(HWND control) {
    const int id = GetDlgCtrlID(control);
    return id == IDC_PREFIX_FRAME || id == IDC_SUFFIX_FRAME || id == IDC_DATE_FRAME;
}

}  // namespace

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(window);
        return 0;
    case WM_SIZE:
        LayOut(window);
        return 0;
    case WM_CLOSE:
        OnClose(window);
        return 0;
    case WM_CONTEXTMENU:
        ShowFileListMenu(window);
        return 0;
    case WM_NOTIFY:
        OnNotify(window, *reinterpret_cast<const NMHDR*>(lParam));
        return 0;
    case WM_CTLCOLORSTATIC:
        if (IsRedFrame(reinterpret_cast<HWND>(lParam))) return reinterpret_cast<INT_PTR>(redFrameBrush);
        return 0;
    case WM_DESTROY:
        if (redFrameBrush) DeleteObject(redFrameBrush);
        redFrameBrush = nullptr;
        return 0;
    default:
        // Commands, Enter and Escape (IDOK, IDCANCEL) included, do nothing yet.
        (void)wParam;
        return 0;
    }
}

}  // namespace qm
