#include "ui/main_window/main_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "app/dialog_theme.h"
#include "app/font_set.h"
#include "app/outside_paths_inbox.h"
#include "app/private_commands.h"
#include "app/process_records.h"
#include "core/settings/flags.h"
#include "core/layout/column_widths.h"
#include "core/layout/main_window_layout.h"
#include "resource_ids.h"
#include "ui/main_window/context_menu.h"
#include "ui/options/date_picker.h"
#include "ui/support/dialog_support.h"
#include "ui/options/extension_list.h"
#include "ui/file_commands/file_list_commands.h"
#include "ui/file_commands/file_list_notices.h"
#include "ui/file_list/file_list_view.h"
#include "ui/file_commands/file_work_window.h"
#include "ui/main_window/main_window_commands.h"
#include "ui/main_window/main_window_options.h"
#include "ui/main_window/main_window_size.h"
#include "ui/file_list/main_window_state.h"
#include "ui/options/name_options.h"
#include "ui/file_list/new_name_column.h"
#include "ui/options/option_groups.h"
#include "ui/options/red_frames.h"
#include "ui/file_commands/row_double_click.h"
#include "ui/file_commands/run_journal_commands.h"
#include "ui/windows/settings_unreadable_notice.h"
#include "ui/file_list/status_line.h"
#include "ui/main_window/tooltips.h"
#include "win32/controls/bitmap_paint.h"
#include "win32/controls/dialog_items.h"
#include "win32/controls/quick_list_selection.h"
#include "win32/settings/settings_store.h"

namespace qm {

namespace {

constexpr const wchar_t* FileListCaptions[FileListColumnCount] = {
    L"File Name",          L"Created",             L"Modified",
    L"Accessed",           L"Path",                L"Attributes",
    L"Original File Name", L"Originally Created",  L"Originally Modified",
    L"Originally Accessed", L"Original Attributes"};

constexpr UINT_PTR FinishOpeningTimer = 0x4F50;

void InsertColumn(HWND list, int index, const wchar_t* caption, int width) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(caption);
    column.cx = width;
    SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
}

void SetUpFileList(HWND window, const AppSettings& settings) {
    HWND list = win32::DialogItem(window, IDC_FILE_LIST);
    // Not laid out and drawn again at each column; once, at the end.
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    const int dpi = SystemDpi();
    for (int column = 0; column < static_cast<int>(FileListColumnCount); ++column)
        InsertColumn(list, column, FileListCaptions[column], WidthOnScreen(settings.FileListCols[column], dpi));
    SetUpNewNameColumn(list, WidthOnScreen(static_cast<std::int32_t>(settings.NewNameWidth), dpi));
    // "Taken" comes after the New Name column by index and after "Accessed" on screen.
    InsertColumn(list, FileColumn::Taken, L"Taken", WidthOnScreen(static_cast<std::int32_t>(settings.TakenWidth), dpi));
    constexpr int count = FileColumn::Taken + 1;
    int order[count] = {};
    SendMessageW(list, LVM_GETCOLUMNORDERARRAY, count, reinterpret_cast<LPARAM>(order));
    int* accessed = std::find(order, order + count, FileColumn::Accessed);
    int* taken = std::find(order, order + count, FileColumn::Taken);
    if (accessed < taken) std::rotate(accessed + 1, taken, taken + 1);
    SendMessageW(list, LVM_SETCOLUMNORDERARRAY, count, reinterpret_cast<LPARAM>(order));
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    win32::PaintHeaderThroughBitmap(ListView_GetHeader(list));
}

void SetUpExtensionList(HWND window) {
    HWND list = win32::DialogItem(window, IDC_EXT_LIST);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    constexpr COLORREF paleGreen = RGB(220, 255, 220);
    SendMessageW(list, LVM_SETBKCOLOR, 0, paleGreen);
    SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, paleGreen);
    const int width = WidthOnScreen(73, SystemDpi());
    InsertColumn(list, 0, L"From", width);
    InsertColumn(list, 1, L"To", width);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    win32::PaintHeaderThroughBitmap(ListView_GetHeader(list));
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

// `order` SWP_NOZORDER keeps the template's order, which is the Tab order.
void LayOut(HWND window, UINT order = 0) {
    RECT client{};
    GetClientRect(window, &client);
    MainLayoutLengths lengths;
    lengths.listTop = VerticalPixels(window, ListTopUnits);
    lengths.statusHeight = VerticalPixels(window, 12);
    lengths.rightStrip = HorizontalPixels(window, 105);
    lengths.extensionWidth = HorizontalPixels(window, 100);
    lengths.countWidth = HorizontalPixels(window, 45);
    lengths.messageLeft = HorizontalPixels(window, 105);
    const MainWindowLayout layout = ComputeMainWindowLayout(client.right, client.bottom, lengths);

    auto place = [window, order](int id, const ControlBox& box, UINT flags) {
        SetWindowPos(win32::DialogItem(window, id), HWND_TOP, box.x, box.y, box.width, box.height,
                     flags | order | SWP_SHOWWINDOW | SWP_NOCOPYBITS);
    };
    place(IDC_FILE_LIST, layout.fileList, SWP_NOMOVE);
    place(IDC_EXT_LIST, layout.extensionList, 0);
    place(IDC_STATUS_COUNT, layout.statusCount, SWP_NOSIZE);
    place(IDC_STATUS_SELECTION, layout.statusSelection, SWP_NOSIZE);
    place(IDC_STATUS_MESSAGE, layout.statusMessage, 0);
}

void OnInitDialog(HWND window) {
    MainWindowState& state = AttachMainWindowState(window);
    state.opening = true;
    AppSettings& settings = Settings();
    EnableDialogTheme(window, true);
    win32::ReadSettings(settings, SettingsFileLocation(), &state.settingsUnreadable);
    SetProgramIcons(window);
    ApplySettingsToMainWindow(window, settings);
    SetButtonFonts(window, Fonts());
    SetUpNameOptions(window);
    SetUpFileList(window, settings);
    SetUpExtensionList(window);
    // The first WM_SIZE came before the controls; and the template's lengths,
    // each rounded on its own, can reach a pixel past the window's edge.
    LayOut(window, SWP_NOZORDER);
    state.redFrameBrush = CreateSolidBrush(RGB(255, 0, 0));
    PlaceRedFrames(window);
    win32::ReadListsAndPresets(settings, window, Presets(), SettingsFileLocation(), &state.settingsUnreadable);
    EnableOptionGroups(window, 1);
    RefreshStatus(window);
    OpenRunJournal(window);
    // A stored placement shows the window: last, so that nothing above is
    // drawn on screen piece by piece.
    ApplyMainWindowPlacement(window, settings);
    state.opening = false;
    if (state.settingsUnreadable) TellSettingsUnreadable(window);
    // The tips wait until the window has been painted: a timer comes after
    // every paint, where a posted message would come before.
    SetTimer(window, FinishOpeningTimer, 0, nullptr);
    OpenOutsideInbox(window);
}

// A step at each FinishOpeningTimer, so that the window answers clicks and
// keys between its tooltip windows (some 5 ms each under Wine); step 0 makes
// the tips that share the name options' and the file list's windows, and
// keeps the file list's selection changes quick.
// CmdFinishOpening (as tests send it) does what is left at once.
void FinishOpening(HWND window, bool atOnce) {
    MainWindowState& state = StateOf(window);
    const int steps = 1 + TipStepCount();
    while (!state.openingFinished) {
        const int step = state.openingStep++;
        bool made = true;
        if (step == 0) {
            MakeNameListTip(window);
            HWND fileList = win32::DialogItem(window, IDC_FILE_LIST);
            MakeNewNameTip(fileList);
            // Once painted: every message to a subclassed window looks its
            // subclass up, the opening's layout and first paint included.
            win32::KeepSelectionChangesQuick(fileList);
        } else {
            made = MakeTipsOfStep(window, Fonts(), Presets(), step - 1);
        }
        state.openingFinished = state.openingStep >= steps || !made;
        if (!made) {
            // Without its tips the window ends at once, and leaves the file as it was.
            state.settingsWritten = true;
            EndDialog(window, 0);
        }
        if (!atOnce) break;
    }
    if (state.openingFinished) KillTimer(window, FinishOpeningTimer);
}

// Not once the closing steps have run, and never over a file that could not be read.
bool WritesSettings(const MainWindowState* state) {
    return state && !state->settingsWritten && !state->settingsUnreadable;
}

// The closing steps: the controls into the record, the record and the lists
// into the file. Done once, at closing or when the session ends first; a
// failure is told at closing (a session that ends has no one to tell).
void SaveSettingsOnce(HWND window, bool tellFailure) {
    MainWindowState* state = FindMainWindowState(window);
    if (!WritesSettings(state)) return;
    state->settingsWritten = true;
    AppSettings& settings = Settings();
    CaptureMainWindowSettings(window, settings);
    const std::wstring& path = SettingsFileLocation();
    if (win32::WriteAllSettings(settings, window, Presets(), path) != 0 && tellFailure && !path.empty())
        TellSettingsNotSaved(window);
}

void OnClose(HWND window) {
    CloseOutsideInbox();  // a second start that comes now opens a window of its own
    SaveSettingsOnce(window, true);
    EndDialog(window, 0);
}

void OnDestroy(HWND window) {
    CloseOutsideInbox();
    // The tip windows go with this window.
    for (Preset& preset : Presets()) preset.tipwindow = preset.buttonwindow = nullptr;
    DetachMainWindowState(window);
}

// The result of a notification that wants one, in the dialog's way.
void SetNotifyResult(HWND window, LONG_PTR result) { SetWindowLongPtrW(window, DWLP_MSGRESULT, result); }

// True when the notification wants the answer left in DWLP_MSGRESULT.
bool OnNotify(HWND window, NMHDR& header) {
    const auto from = static_cast<int>(header.idFrom);
    MainWindowState* state = FindMainWindowState(window);
    if (!state) return false;
    if (header.code == LVN_GETDISPINFOW && from == IDC_FILE_LIST) {
        auto& info = reinterpret_cast<NMLVDISPINFOW&>(header);
        if (info.item.iSubItem == NewNameColumn)
            FillNewNameText(window, info);
        else
            FillDisplayInfo(state->files, info);
    } else if (header.code == NM_CUSTOMDRAW && from == IDC_FILE_LIST) {
        SetNotifyResult(window, DrawNewNames(window, reinterpret_cast<NMLVCUSTOMDRAW&>(header)));
        return true;
    } else if ((header.code == LVN_ITEMCHANGED || header.code == LVN_ODSTATECHANGED) && from == IDC_FILE_LIST) {
        // A click changes the selection in steps: the rows are read once, after them.
        if (!state->newNames.rowsPosted) {
            state->newNames.rowsPosted = true;
            PostMessageW(window, NewNameRowsMessage, 0, 0);
        }
        OnFileListNotice(window, header);  // the "Selected" cell follows the same changes
    } else if (header.code == LVN_ITEMCHANGED && from == IDC_EXT_LIST) {
        FollowNewNames(window, NewNamesChange::Options);
    } else if (header.code == LVN_ODFINDITEMW && from == IDC_FILE_LIST) {
        SetNotifyResult(window, FindRow(state->files, reinterpret_cast<NMLVFINDITEMW&>(header)));
        return true;
    } else if (header.code == DTN_DATETIMECHANGE && from == IDC_DATE_PICKER) {
        if (const auto picked = PickerFileTime(header.hwndFrom)) Settings().FileTime = *picked;
        PostRefresh(window);
    } else if (header.code == UDN_DELTAPOS && from == IDC_ZEROS_UPDOWN) {
        SetFocus(window);  // the zeros box is read-only: keep its caret away
        PostRefresh(window);
    } else if (header.code == UDN_DELTAPOS && (from == IDC_OFFSET_UPDOWN || from == IDC_STEP_UPDOWN)) {
        PostRefresh(window);
    } else if (header.code == LVN_COLUMNCLICK && from == IDC_FILE_LIST) {
        const int column = reinterpret_cast<NMLISTVIEW&>(header).iSubItem;
        // "New Name" is no column of the rows: it sorts only as Explorer does.
        if (column != NewNameColumn || (Settings().SettingsFlags & SettingsOption::SortAsExplorer)) {
            SortFileRows(window, column);
            FollowNewNames(window, NewNamesChange::List);
        }
    } else if (header.code == LVN_COLUMNCLICK && from == IDC_EXT_LIST) {
        SortExtensionRows(header.hwndFrom, reinterpret_cast<NMLISTVIEW&>(header).iSubItem);
    } else if (header.code == NM_DBLCLK && from == IDC_FILE_LIST) {
        const long row = SingleSelectedRow(header.hwndFrom);
        if (row >= 0) RowDoubleClick(window, row);
        FollowNewNames(window, NewNamesChange::Files);
    } else if (header.code == NM_CLICK && from == IDC_FILE_LIST) {
        PostRefresh(window);
    } else if (from == IDC_FILE_LIST) {
        OnFileListNotice(window, header);
    }
    return false;
}

}  // namespace

void WriteSettingsNow(HWND window) {
    if (!WritesSettings(FindMainWindowState(window))) return;
    AppSettings& settings = Settings();
    CaptureMainWindowSettings(window, settings);
    win32::WriteAllSettings(settings, window, Presets(), SettingsFileLocation());
}

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (INT_PTR answer = 0; AnswerDuringFileWork(window, message, wParam, lParam, answer)) return answer;
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(window);
        return 0;
    case WM_SIZE:
        LayOut(window);
        return 0;
    case WM_GETMINMAXINFO:
        // Before WM_INITDIALOG the dialog's units are not known yet.
        if (FindMainWindowState(window)) LimitMainWindowSize(window, *reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_CLOSE:
        OnClose(window);
        return 0;
    case WM_ENDSESSION:
        if (wParam) SaveSettingsOnce(window, false);
        return 0;
    case WM_CONTEXTMENU:
        if (FindMainWindowState(window)) ShowFileListMenu(window);
        return 0;
    case WM_HELP:  // F1, as "?"
        if (FindMainWindowState(window)) OnMainWindowCommand(window, IDC_HELP_BUTTON);
        return TRUE;
    case WM_NOTIFY:
        return OnNotify(window, *reinterpret_cast<NMHDR*>(lParam));
    case WM_COMMAND:
        if (LOWORD(wParam) == CmdFinishOpening && FindMainWindowState(window)) {
            FinishOpening(window, true);
        } else if (MainWindowState* state = FindMainWindowState(window)) {
            OnMainWindowCommand(window, wParam);
            // The notices of the controls being filled while the window opens:
            // the column is made from what they hold once it is drawn.
            if (!state->opening) FollowNewNames(window, ChangeOfCommand(LOWORD(wParam)));
        }
        return 0;
    case WM_DROPFILES:
        if (!FindMainWindowState(window)) return 0;
        AddDroppedFiles(window, reinterpret_cast<HDROP>(wParam));
        if (Settings().SettingsFlags & SettingsOption::AutoRenameAfterDrop) WriteSettingsNow(window);  // a run came with the drop
        RefreshStatus(window);
        FollowNewNames(window, NewNamesChange::Files);
        return 0;
    case WM_TIMER:
        if (wParam == NewNameTimer) OnNewNamesTimer(window);
        if (wParam == FinishOpeningTimer && FindMainWindowState(window)) FinishOpening(window, false);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            FollowNewNames(window, NewNamesChange::Activated);
            // The list of names may have been edited meanwhile: its tip and the status line follow it.
            if (IsChecked(window, IDC_FROM_LIST)) {
                ShowNameListTip(window);
                PostRefresh(window);
            }
        }
        return 0;
    case NewNameRowsMessage:
        if (MainWindowState* state = FindMainWindowState(window)) {
            state->newNames.rowsPosted = false;
            FollowNewNames(window, NewNamesChange::Selection);
        }
        return 0;
    case WM_CTLCOLORSTATIC:
        if (IsRedFrame(reinterpret_cast<HWND>(lParam)))
            if (const MainWindowState* state = FindMainWindowState(window))
                return reinterpret_cast<INT_PTR>(state->redFrameBrush);
        return 0;
    case WM_DESTROY:
        OnDestroy(window);
        return 0;
    default:
        return 0;
    }
}

}  // namespace qm
