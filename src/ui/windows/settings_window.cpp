#include "ui/windows/settings_window.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "app/dialog_theme.h"
#include "app/process_records.h"
#include "core/text/remove_characters.h"
#include "core/settings/window_alpha.h"
#include "resource_ids.h"
#include "ui/support/dialog_support.h"
#include "ui/support/help_topic.h"
#include "ui/support/list_box_editing.h"
#include "win32/locale/clock.h"
#include "win32/help.h"
#include "win32/locale/time_text.h"
#include "win32/controls/dialog_items.h"

namespace qm {

namespace {

constexpr std::size_t ExpansionUnits = 1024;
constexpr std::size_t FormatUnits = TimeFormatWidth - 1;
constexpr std::size_t HistoryTextUnits = 1023;
constexpr WPARAM FormatTypingLimit = 260;
constexpr int LowestOpacity = 70;
constexpr int HighestOpacity = 255;

struct SpacerRadio {
    int id;
    char16_t character;
};

// In the order in which they are tested.
constexpr SpacerRadio SpacerRadios[] = {
    {IDC_SET_SPACER_UNDERSCORE, u'_'}, {IDC_SET_SPACER_SPACE, u' '}, {IDC_SET_SPACER_PERIOD, u'.'},
    {IDC_SET_SPACER_HYPHEN, u'-'},     {IDC_SET_SPACER_PLUS, u'+'},  {IDC_SET_SPACER_EQUAL, u'='},
    {IDC_SET_SPACER_TILDE, u'~'},
};

// A double-click action and which of its sub-options it leaves usable.
struct DoubleClickRadio {
    int id;
    std::uint32_t bit;
    bool incrementOffsetUsable;
    bool copyTargetsUsable;
};

constexpr DoubleClickRadio DoubleClickRadios[] = {
    {IDC_SET_DBL_NONE, SettingsOption::DoubleClickNone, false, false},
    {IDC_SET_DBL_RENAME, SettingsOption::DoubleClickRename, true, false},
    {IDC_SET_DBL_COPY, SettingsOption::DoubleClickCopy, false, true},
};

struct OptionBox {
    int id;
    std::uint32_t bit;
};

constexpr OptionBox OptionBoxes[] = {
    {IDC_SET_INCREMENT_OFFSET, SettingsOption::IncrementOffset},
    {IDC_SET_TO_PREFIX, SettingsOption::CopyToPrefix},
    {IDC_SET_TO_SUFFIX, SettingsOption::CopyToSuffix},
    {IDC_SET_AUTO_RENAME_DROP, SettingsOption::AutoRenameAfterDrop},
    {IDC_SET_CTRL_PRESETS, SettingsOption::CtrlClickForPresets},
    {IDC_SET_SORT_AS_EXPLORER, SettingsOption::SortAsExplorer},
};

// The history box of the main window and its copy in this window.
struct HistoryPair {
    int mainBoxId;
    int listId;
};

constexpr HistoryPair Histories[] = {
    {IDC_PREFIX_BOX, IDC_SET_PREFIX_LIST},
    {IDC_SUFFIX_BOX, IDC_SET_SUFFIX_LIST},
};

HWND MainWindowOf(HWND dialog) { return reinterpret_cast<HWND>(GetWindowLongPtrW(dialog, DWLP_USER)); }

std::wstring ItemText(HWND control, UINT lengthMessage, UINT textMessage, int index) {
    const LRESULT length = SendMessageW(control, lengthMessage, index, 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT got = SendMessageW(control, textMessage, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

void CopyHistoryIntoList(HWND historyBox, HWND list) {
    const LRESULT count = SendMessageW(historyBox, CB_GETCOUNT, 0, 0);
    for (int index = 0; index < count; ++index) {
        const std::wstring text = ItemText(historyBox, CB_GETLBTEXTLEN, CB_GETLBTEXT, index);
        SendMessageW(list, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

// The box keeps the text in its edit field; its list becomes the list box's items.
void WriteListBackToHistory(HWND list, HWND historyBox) {
    if (SendMessageW(historyBox, CB_GETCOUNT, 0, 0) <= 0) return;
    const std::wstring current = ControlText(historyBox, HistoryTextUnits);
    SendMessageW(historyBox, CB_RESETCONTENT, 0, 0);
    if (!current.empty()) SetWindowTextW(historyBox, current.c_str());
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (int index = 0; index < count; ++index) {
        const std::wstring text = ItemText(list, LB_GETTEXTLEN, LB_GETTEXT, index);
        SendMessageW(historyBox, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    }
}

std::u16string ExpandNow(std::u16string_view format) {
    std::array<char16_t, ExpansionUnits> expanded{};
    const std::size_t length =
        win32::ExpandTimeFormat(win32::SystemNowFileTime(), format, expanded.data(), expanded.size());
    return std::u16string(expanded.data(), length);
}

void ShowFormatExample(HWND dialog) {
    const std::wstring format = ControlText(win32::DialogItem(dialog, IDC_SET_FORMAT), FormatUnits);
    const std::u16string example = RemoveCharacters(ExpandNow(AsUtf16(format)), NameForbiddenCharacters);
    win32::SetDialogItemText(dialog, IDC_SET_EXAMPLE, AsWide(example).c_str());
}

void SetMainWindowAlpha(HWND mainWindow, std::uint32_t alpha) {
    SetLayeredWindowAttributes(mainWindow, 0, WindowAlpha(alpha), LWA_ALPHA);
}

void EnableDoubleClickOptions(HWND dialog, bool incrementOffset, bool copyTargets) {
    EnableWindow(win32::DialogItem(dialog, IDC_SET_INCREMENT_OFFSET), incrementOffset);
    EnableWindow(win32::DialogItem(dialog, IDC_SET_TO_PREFIX), copyTargets);
    EnableWindow(win32::DialogItem(dialog, IDC_SET_TO_SUFFIX), copyTargets);
}

void ShowSettingsFlags(HWND dialog, std::uint32_t flags) {
    for (const DoubleClickRadio& radio : DoubleClickRadios) {
        if (!(flags & radio.bit)) continue;
        win32::SendDialogItem(dialog, radio.id, BM_SETCHECK, BST_CHECKED);
        // Opening only disables: a word with several action bits leaves the
        // sub-options that none of them allows disabled.
        if (!radio.incrementOffsetUsable) EnableWindow(win32::DialogItem(dialog, IDC_SET_INCREMENT_OFFSET), FALSE);
        if (!radio.copyTargetsUsable) {
            EnableWindow(win32::DialogItem(dialog, IDC_SET_TO_PREFIX), FALSE);
            EnableWindow(win32::DialogItem(dialog, IDC_SET_TO_SUFFIX), FALSE);
        }
    }
    for (const OptionBox& box : OptionBoxes) {
        if (flags & box.bit) win32::SendDialogItem(dialog, box.id, BM_SETCHECK, BST_CHECKED);
    }
}

std::uint32_t ChosenSettingsFlags(HWND dialog) {
    std::uint32_t flags = 0;
    for (const DoubleClickRadio& radio : DoubleClickRadios) {
        if (IsChecked(dialog, radio.id)) flags |= radio.bit;
    }
    for (const OptionBox& box : OptionBoxes) {
        if (IsChecked(dialog, box.id)) flags |= box.bit;
    }
    return flags;
}

void OnInitDialog(HWND dialog, HWND mainWindow) {
    const AppSettings& settings = Settings();
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(mainWindow));
    EnableDialogTheme(dialog, true);
    SetProgramIcons(dialog);
    if (Fonts().bigFont)
        win32::SendDialogItem(dialog, IDC_SET_FORMAT, WM_SETFONT, reinterpret_cast<WPARAM>(Fonts().bigFont), TRUE);
    win32::SendDialogItem(dialog, IDC_SET_FORMAT, EM_LIMITTEXT, FormatTypingLimit, 0);

    for (const HistoryPair& pair : Histories)
        CopyHistoryIntoList(win32::DialogItem(mainWindow, pair.mainBoxId), win32::DialogItem(dialog, pair.listId));

    // Setting the edit's text shows the cleaned example; right after opening
    // the example then shows the expansion as it is.
    const std::u16string expansion = ExpandNow(settings.TimeFormat.view());
    win32::SetDialogItemText(dialog, IDC_SET_FORMAT, AsWide(settings.TimeFormat.view()).c_str());
    win32::SetDialogItemText(dialog, IDC_SET_EXAMPLE, AsWide(expansion).c_str());

    HWND slider = win32::DialogItem(dialog, IDC_SET_OPACITY);
    SendMessageW(slider, TBM_SETRANGE, TRUE, MAKELPARAM(LowestOpacity, HighestOpacity));
    // Clamped here: a huge stored value must not wrap round to a small signed one.
    const auto shown = std::clamp<std::uint32_t>(settings.Opacity, LowestOpacity, HighestOpacity);
    SendMessageW(slider, TBM_SETPOS, TRUE, static_cast<LPARAM>(shown));

    for (const SpacerRadio& radio : SpacerRadios) {
        if (settings.Spacer.view() == std::u16string_view(&radio.character, 1))
            win32::SendDialogItem(dialog, radio.id, BM_SETCHECK, BST_CHECKED);
    }
    ShowSettingsFlags(dialog, settings.SettingsFlags);
    PlaceAtRememberedPoint(dialog, settings.SettingsDlgXY, settings.DesktopRect);
}

void Save(HWND dialog) {
    AppSettings& settings = Settings();
    HWND mainWindow = MainWindowOf(dialog);
    for (const HistoryPair& pair : Histories)
        WriteListBackToHistory(win32::DialogItem(dialog, pair.listId), win32::DialogItem(mainWindow, pair.mainBoxId));
    settings.TimeFormat = AsUtf16(ControlText(win32::DialogItem(dialog, IDC_SET_FORMAT), FormatUnits));
    settings.Opacity = static_cast<std::uint32_t>(win32::SendDialogItem(dialog, IDC_SET_OPACITY, TBM_GETPOS, 0, 0));
    for (const SpacerRadio& radio : SpacerRadios) {
        if (IsChecked(dialog, radio.id)) {
            settings.Spacer = std::u16string_view(&radio.character, 1);
            break;
        }
    }
    settings.SettingsFlags = ChosenSettingsFlags(dialog);
}

void PreviewOpacity(HWND dialog) {
    HWND mainWindow = MainWindowOf(dialog);
    if (!IsChecked(mainWindow, IDC_TRANSPARENT)) return;
    SetMainWindowAlpha(mainWindow,
                       static_cast<std::uint32_t>(win32::SendDialogItem(dialog, IDC_SET_OPACITY, TBM_GETPOS, 0, 0)));
}

// Save, Cancel and the close box all end here. The main window's alpha goes
// back to the stored opacity, so that a preview never outlives the window:
// after Save that is the saved value, otherwise the one from before.
void OnClose(HWND dialog) {
    HWND mainWindow = MainWindowOf(dialog);
    if (IsChecked(mainWindow, IDC_TRANSPARENT)) SetMainWindowAlpha(mainWindow, Settings().Opacity);
    Settings().SettingsDlgXY = TopLeftOnScreen(dialog);
    EndDialog(dialog, 0);
}

void OnCommand(HWND dialog, int id, int code) {
    auto list = [dialog](int listId) { return win32::DialogItem(dialog, listId); };
    switch (id) {
    case IDC_SET_PREFIX_ALL: SelectAllListItems(list(IDC_SET_PREFIX_LIST), true); return;
    case IDC_SET_PREFIX_NONE: SelectAllListItems(list(IDC_SET_PREFIX_LIST), false); return;
    case IDC_SET_PREFIX_DELETE: DeleteSelectedListItems(list(IDC_SET_PREFIX_LIST)); return;
    case IDC_SET_SUFFIX_ALL: SelectAllListItems(list(IDC_SET_SUFFIX_LIST), true); return;
    case IDC_SET_SUFFIX_NONE: SelectAllListItems(list(IDC_SET_SUFFIX_LIST), false); return;
    case IDC_SET_SUFFIX_DELETE: DeleteSelectedListItems(list(IDC_SET_SUFFIX_LIST)); return;
    case IDC_SET_FORMAT:
        if (code == EN_CHANGE) ShowFormatExample(dialog);
        return;
    case IDC_SET_HELP:
        OpenHelpTopic(dialog, win32::TimeFormatHelpTopic);
        return;
    case IDC_SET_SAVE:
        Save(dialog);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        return;
    case IDC_SET_CANCEL:
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        return;
    default:
        break;
    }
    for (const DoubleClickRadio& radio : DoubleClickRadios) {
        if (radio.id == id) EnableDoubleClickOptions(dialog, radio.incrementOffsetUsable, radio.copyTargetsUsable);
    }
}

}  // namespace

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog, reinterpret_cast<HWND>(lParam));
        return TRUE;
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_HSCROLL:
        if (reinterpret_cast<HWND>(lParam) == win32::DialogItem(dialog, IDC_SET_OPACITY)) PreviewOpacity(dialog);
        return TRUE;
    case WM_CLOSE:
        OnClose(dialog);
        return TRUE;
    case WM_HELP:  // F1, as the window's own help button
        OnCommand(dialog, IDC_SET_HELP, BN_CLICKED);
        return TRUE;
    default:
        return FALSE;
    }
}

void OpenSettingsWindow(HWND mainWindow) {
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SETTINGS), mainWindow, SettingsDialogProc,
                    reinterpret_cast<LPARAM>(mainWindow));
}

}  // namespace qm
