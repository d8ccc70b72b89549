#include "ui/windows/add_extensions_window.h"

#include <commctrl.h>

#include "app/dialog_theme.h"
#include "app/process_records.h"
#include "core/settings_file/list_sections.h"
#include "core/text/remove_characters.h"
#include "resource_ids.h"
#include "ui/support/dialog_support.h"
#include "win32/controls/dialog_items.h"

namespace qm {

namespace {

constexpr std::size_t ExtensionUnits = 260;
constexpr int CheckedStateImage = 2;

// A "»" kept in a text would split the row into other fields when the
// settings file is read back.
const std::u16string ExtensionForbiddenCharacters =
    std::u16string(u". ") + std::u16string(NameForbiddenCharacters) + ExtensionFieldSeparator;

HWND ExtensionListOf(HWND dialog) { return reinterpret_cast<HWND>(GetWindowLongPtrW(dialog, DWLP_USER)); }

std::wstring TypedText(HWND dialog, int editId) { return ControlText(win32::DialogItem(dialog, editId), ExtensionUnits); }

void AppendCheckedRow(HWND list, const std::wstring& from, const std::wstring& to) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<wchar_t*>(from.c_str());
    const auto row = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0) return;

    LVITEMW second{};
    second.iSubItem = 1;
    second.pszText = const_cast<wchar_t*>(to.c_str());
    SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&second));

    LVITEMW state{};
    state.stateMask = LVIS_STATEIMAGEMASK;
    state.state = INDEXTOSTATEIMAGEMASK(CheckedStateImage);
    SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
}

void OnAdd(HWND dialog) {
    // Emptiness is judged on the typed text, so "..." still adds a row.
    const std::wstring from = TypedText(dialog, IDC_ADDEXT_FROM);
    if (from.empty()) return;
    const std::wstring to = TypedText(dialog, IDC_ADDEXT_TO);
    if (to.empty()) return;
    AppendCheckedRow(ExtensionListOf(dialog), AsWide(CleanExtensionText(AsUtf16(from))),
                     AsWide(CleanExtensionText(AsUtf16(to))));
    win32::SetDialogItemText(dialog, IDC_ADDEXT_FROM, L"");
    win32::SetDialogItemText(dialog, IDC_ADDEXT_TO, L"");
}

void OnInitDialog(HWND dialog, HWND extensionList) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(extensionList));
    EnableDialogTheme(dialog, true);
    SetProgramIcons(dialog);
    win32::SendDialogItem(dialog, IDC_ADDEXT_FROM, EM_LIMITTEXT, ExtensionUnits, 0);
    win32::SendDialogItem(dialog, IDC_ADDEXT_TO, EM_LIMITTEXT, ExtensionUnits, 0);
    const AppSettings& settings = Settings();
    PlaceAtRememberedPoint(dialog, settings.AddExtDlgXY, settings.DesktopRect);
}

void OnClose(HWND dialog) {
    Settings().AddExtDlgXY = TopLeftOnScreen(dialog);
    EndDialog(dialog, 0);
}

}  // namespace

std::u16string CleanExtensionText(std::u16string_view typed) {
    return RemoveCharacters(typed, ExtensionForbiddenCharacters);
}

INT_PTR CALLBACK AddExtensionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog, reinterpret_cast<HWND>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_ADDEXT_ADD) OnAdd(dialog);
        else if (LOWORD(wParam) == IDC_ADDEXT_QUIT) PostMessageW(dialog, WM_CLOSE, 0, 0);
        return TRUE;
    case WM_CLOSE:
        OnClose(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

void OpenAddExtensionsWindow(HWND mainWindow) {
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ADD_EXTENSIONS), mainWindow,
                    AddExtensionsDialogProc, reinterpret_cast<LPARAM>(win32::DialogItem(mainWindow, IDC_EXT_LIST)));
}

}  // namespace qm
