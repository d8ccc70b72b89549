#include "ui/main_window/main_window_commands.h"

#include <commctrl.h>

#include "app/private_commands.h"
#include "app/process_records.h"
#include "core/settings/flags.h"
#include "core/settings/window_alpha.h"
#include "resource_ids.h"
#include "ui/windows/about_window.h"
#include "ui/windows/add_extensions_window.h"
#include "ui/file_commands/add_folder.h"
#include "ui/file_commands/dates_taken.h"
#include "ui/options/date_picker.h"
#include "ui/options/extension_list.h"
#include "ui/options/name_options.h"
#include "ui/file_commands/file_list_commands.h"
#include "ui/file_commands/file_list_notices.h"
#include "ui/options/option_groups.h"
#include "ui/file_commands/outside_paths.h"
#include "ui/options/preset_buttons.h"
#include "ui/support/dialog_support.h"
#include "ui/support/help_topic.h"
#include "ui/windows/settings_window.h"
#include "ui/file_list/status_line.h"
#include "ui/main_window/main_window.h"
#include "win32/help.h"
#include "win32/controls/dialog_items.h"

namespace qm {

namespace {

using Handler = void (*)(HWND window, int id);

struct Command {
    int firstId;
    int lastId;
    Handler handler;
};

HWND Item(HWND window, int id) { return win32::DialogItem(window, id); }

void Start(HWND window, int) {
    RefreshStatus(window);
    if (RunRename(window) >= 0) WriteSettingsNow(window);
}

void Clear(HWND window, int) {
    RemoveRows(window);
    RefreshStatus(window);
}

void Undo(HWND window, int) {
    const std::wstring done = UndoRename(window);
    RefreshStatus(window);
    if (done.empty()) return;  // nothing was undone
    win32::SetDialogItemText(window, IDC_STATUS_MESSAGE, done.c_str());  // stands, as after "Start"
    WriteSettingsNow(window);
}

void Add(HWND window, int) {
    AddFilesFromDialog(window);
    RefreshStatus(window);
}

void AddFolder(HWND window, int) {
    AddFilesFromFolder(window);
    RefreshStatus(window);
}

void KeepName(HWND window, int id) {
    OnCaseBoxClicked(window, id);  // "Keep Name" and "From List" exclude each other
    if (id == IDC_FROM_LIST) OnFromListClicked(window);
    EnableOptionGroups(window, FindReplaceGroup);
    RefreshStatus(window);
}

void PickList(HWND window, int) {
    PickNameList(window);
    EnableOptionGroups(window, FindReplaceGroup);
    RefreshStatus(window);
}

void MoveUp(HWND window, int) { MoveFileRow(window, -1); }
void MoveDown(HWND window, int) { MoveFileRow(window, +1); }

void Help(HWND window, int) { OpenHelpTopic(window, win32::MainHelpTopic); }

void AlwaysOnTop(HWND window, int id) {
    SetWindowPos(window, IsChecked(window, id) ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void GoverningBox(HWND window, int id) {
    const int group = id == IDC_FILE_NAMES ? 2 : id == IDC_EXTENSIONS ? 3 : id == IDC_DATE ? 4 : 5;
    EnableOptionGroups(window, group);
    RefreshStatus(window);
}

void Refresh(HWND window, int) { RefreshStatus(window); }
void TakeOutside(HWND window, int) { TakeOutsidePaths(window); }

void AutoBox(HWND window, int id) {
    OnAutoBoxClicked(window, id);
    RefreshStatus(window);
}

void FolderBox(HWND window, int id) {
    OnFolderBoxClicked(window, id);
    RefreshStatus(window);
}

void CaseBox(HWND window, int id) {
    OnCaseBoxClicked(window, id);
    RefreshStatus(window);
}

void Transparent(HWND window, int id) { SetTransparency(window, IsChecked(window, id)); }

void CurrentTime(HWND window, int) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    FILETIME local{}, utc{};
    SystemTimeToFileTime(&now, &local);
    LocalFileTimeToFileTime(&local, &utc);
    Settings().FileTime = (static_cast<std::uint64_t>(utc.dwHighDateTime) << 32) | utc.dwLowDateTime;
    SendMessageW(Item(window, IDC_DATE_PICKER), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&now));
    if (IsChecked(window, IDC_STAMP_PRESET)) PostRefresh(window);
}

void OpenSettings(HWND window, int) {
    OpenSettingsWindow(window);
    if (!(Settings().SettingsFlags & SettingsOption::SortAsExplorer)) ForgetFileSort(window);
    RefreshStatus(window);
}

void OpenAbout(HWND window, int) { OpenAboutWindow(window); }
void AddExtensions(HWND window, int) { OpenAddExtensionsWindow(window); }

void DeleteExtensions(HWND window, int) { RemoveSelectedRows(Item(window, IDC_EXT_LIST)); }
void ExtensionUp(HWND window, int) { MoveExtensionRow(Item(window, IDC_EXT_LIST), -1); }
void ExtensionDown(HWND window, int) { MoveExtensionRow(Item(window, IDC_EXT_LIST), +1); }

void PresetButton(HWND window, int id) {
    if (ClickPreset(window, PresetSlotOfButton(id))) RefreshStatus(window);
}

void SelectionChanged(HWND window, int) { ShowSelectedCount(window); }
void DatesTaken(HWND window, int) { TakeDatesTaken(window); }


// In the order of the window's command table; ids not listed do nothing.
constexpr Command Commands[] = {
    {IDC_START, IDC_START, Start},
    {IDC_CLEAR, IDC_CLEAR, Clear},
    {IDC_UNDO, IDC_UNDO, Undo},
    {IDC_ADD, IDC_ADD, Add},
    {IDC_ROW_UP, IDC_ROW_UP, MoveUp},
    {IDC_ROW_DOWN, IDC_ROW_DOWN, MoveDown},
    {IDC_HELP_BUTTON, IDC_HELP_BUTTON, Help},
    {IDC_ALWAYS_ON_TOP, IDC_ALWAYS_ON_TOP, AlwaysOnTop},
    {IDC_FILE_NAMES, IDC_DATE, GoverningBox},
    {IDC_ATTRIBUTES, IDC_ATTRIBUTES, GoverningBox},
    {IDC_DATE_ACCESSED, IDC_DATE_ACCESSED, Refresh},
    {IDC_PREFIX, IDC_PREFIX, Refresh},
    {IDC_PREFIX_SPACER, IDC_SUFFIX, Refresh},
    {IDC_SUFFIX_SPACER, IDC_STAMP_WIN32, Refresh},
    {IDC_STAMP_UNIX, IDC_STAMP_PRESET, Refresh},
    {IDC_DATE_CREATED, IDC_DATE_MODIFIED, Refresh},
    {IDC_READ_ONLY, IDC_ARCHIVE, Refresh},
    {static_cast<int>(CmdRefresh), static_cast<int>(CmdRefresh), Refresh},
    {static_cast<int>(CmdTakeOutsidePaths), static_cast<int>(CmdTakeOutsidePaths), TakeOutside},
    {static_cast<int>(CmdSelectionChanged), static_cast<int>(CmdSelectionChanged), SelectionChanged},
    {static_cast<int>(CmdDatesTaken), static_cast<int>(CmdDatesTaken), DatesTaken},
    {IDC_SETTINGS_BUTTON, IDC_SETTINGS_BUTTON, OpenSettings},
    {IDC_PREFIX_AUTO, IDC_PREFIX_AUTO, AutoBox},
    {IDC_SUFFIX_AUTO, IDC_SUFFIX_AUTO, AutoBox},
    {IDC_DATE_AUTO, IDC_DATE_AUTO, AutoBox},
    {IDC_PREFIX_UPPERCASE, IDC_PREFIX_LOWERCASE, CaseBox},
    {IDC_SUFFIX_UPPERCASE, IDC_SUFFIX_LOWERCASE, CaseBox},
    {IDC_EXT_UPPERCASE, IDC_EXT_LOWERCASE, CaseBox},
    {IDC_PICTURE, IDC_PICTURE, OpenAbout},
    {IDC_TRANSPARENT, IDC_TRANSPARENT, Transparent},
    {IDC_CURRENT_TIME, IDC_CURRENT_TIME, CurrentTime},
    {IDC_EXT_ADD, IDC_EXT_ADD, AddExtensions},
    {IDC_EXT_DELETE, IDC_EXT_DELETE, DeleteExtensions},
    {IDC_EXT_UP, IDC_EXT_UP, ExtensionUp},
    {IDC_EXT_DOWN, IDC_EXT_DOWN, ExtensionDown},
    {IDC_PRESET_1, IDC_PRESET_1, PresetButton},
    {IDC_PRESET_2, IDC_PRESET_15, PresetButton},
    {IDC_ADD_FOLDER, IDC_ADD_FOLDER, AddFolder},
    {IDC_KEEP_NAME, IDC_KEEP_NAME, KeepName},
    {IDC_NO_NUMBER, IDC_NO_NUMBER, Refresh},
    {IDC_FIND_REGEX, IDC_FIND_MATCH_CASE, Refresh},
    {IDC_STAMP_TAKEN, IDC_DATE_TAKEN, Refresh},
    {IDC_PER_FOLDER, IDC_PER_FOLDER, Refresh},
    {IDC_PREFIX_FOLDER, IDC_SUFFIX_FOLDER, FolderBox},
    {IDC_FROM_LIST, IDC_FROM_LIST, KeepName},
    {IDC_FROM_LIST_PICK, IDC_FROM_LIST_PICK, PickList},
};

// Boxes whose typing and choices the preview follows.
bool IsNameTextBox(int id) {
    return id == IDC_PREFIX_BOX || id == IDC_SUFFIX_BOX || id == IDC_FIND_BOX || id == IDC_REPLACE_BOX;
}

// The picture is a static that also tells its parent when it is enabled or
// disabled; only a click on it opens the About window.
bool IsPictureNotice(int id, int code) { return id == IDC_PICTURE && code != STN_CLICKED && code != STN_DBLCLK; }

}  // namespace

void PostRefresh(HWND window) { PostMessageW(window, WM_COMMAND, CmdRefresh, 0); }

void SetTransparency(HWND window, bool on) {
    LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
    if (on) {
        SetWindowLongPtrW(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
        SetLayeredWindowAttributes(window, 0, WindowAlpha(Settings().Opacity), LWA_ALPHA);
    } else {
        SetWindowLongPtrW(window, GWL_EXSTYLE, style & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
    }
}

void OnMainWindowCommand(HWND window, WPARAM wParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    for (const Command& command : Commands) {
        if (IsPictureNotice(id, code)) break;  // enabled or disabled, not clicked
        if (id >= command.firstId && id <= command.lastId) {
            command.handler(window, id);
            break;
        }
    }
    if ((code == CBN_EDITCHANGE || code == CBN_SELENDOK) && IsNameTextBox(id))
        PostRefresh(window);
    if (code == CBN_SELCHANGE && id == IDC_NAME_CASE) PostRefresh(window);
}

}  // namespace qm
