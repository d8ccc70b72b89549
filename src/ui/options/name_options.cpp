#include "ui/options/name_options.h"

#include <commctrl.h>
#include <commdlg.h>

#include "app/process_records.h"
#include "core/text/name_case.h"
#include "resource_ids.h"
#include "ui/support/dialog_support.h"
#include "ui/support/tip_window.h"
#include "win32/controls/dialog_items.h"
#include "win32/files/name_list_file.h"

namespace qm {

namespace {

constexpr int BoxLimit = 260;  // as the prefix and suffix boxes

// In the order of NameCase.
constexpr const wchar_t* CaseChoices[] = {L"As Is", L"lower case", L"UPPER CASE", L"Title Case", L"Sentence case"};
static_assert(std::size(CaseChoices) == NameCaseCount);

// The tip of "From List" is kept in the box's own user data (a button uses
// none), so that it goes with the window and needs no clean-up.
HWND TipOf(HWND box) { return reinterpret_cast<HWND>(GetWindowLongPtrW(box, GWLP_USERDATA)); }

HWND FromListBox(HWND window) { return win32::DialogItem(window, IDC_FROM_LIST); }

void Tick(HWND window, int id, bool ticked) {
    win32::SendDialogItem(window, id, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// The open dialog for a text file, starting in the folder of the list chosen
// before. True with the path in `path`.
bool AskForListFile(HWND window, std::wstring& path) {
    std::wstring file(MAX_PATH + 1, L'\0');
    const std::wstring before = AsWide(Settings().NameList.view());
    before.copy(file.data(), std::min<std::size_t>(before.size(), MAX_PATH));
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = window;
    dialog.lpstrFilter = L"Text files (*.txt)\0*.txt\0All Files (*.*)\0*.*\0";
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = L"Choose the list of names";
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&dialog)) return false;
    path.assign(file.c_str());
    return true;
}

}  // namespace

void SetUpNameOptions(HWND mainWindow) {
    win32::SendDialogItem(mainWindow, IDC_FIND_BOX, CB_LIMITTEXT, BoxLimit, 0);
    win32::SendDialogItem(mainWindow, IDC_REPLACE_BOX, CB_LIMITTEXT, BoxLimit, 0);
    for (const wchar_t* choice : CaseChoices)
        win32::SendDialogItem(mainWindow, IDC_NAME_CASE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
    ChooseNameCase(mainWindow, Settings().NameCase);
}

void MakeNameListTip(HWND mainWindow) {
    HWND box = FromListBox(mainWindow);
    if (HWND tip = MakeTip(mainWindow, box, L"")) SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(tip));
    ShowNameListTip(mainWindow);
}

std::uint32_t ChosenNameCase(HWND mainWindow) {
    const LRESULT chosen = win32::SendDialogItem(mainWindow, IDC_NAME_CASE, CB_GETCURSEL, 0, 0);
    return chosen >= 0 && static_cast<std::uint32_t>(chosen) < NameCaseCount ? static_cast<std::uint32_t>(chosen) : 0;
}

void ChooseNameCase(HWND mainWindow, std::uint32_t number) {
    win32::SendDialogItem(mainWindow, IDC_NAME_CASE, CB_SETCURSEL, static_cast<WPARAM>(NameCaseFromNumber(number)), 0);
}

std::shared_ptr<const NameList> CurrentNameList(const AppSettings& settings, bool reread) {
    static win32::NameListFile file;
    return file.Get(settings.NameList.str(), reread);
}

void OnFromListClicked(HWND mainWindow) {
    if (IsChecked(mainWindow, IDC_FROM_LIST) && Settings().NameList.empty()) {
        std::wstring path;
        if (AskForListFile(mainWindow, path))
            Settings().NameList = AsUtf16(path);
        else
            Tick(mainWindow, IDC_FROM_LIST, false);
    }
    CurrentNameList(Settings(), true);
    ShowNameListTip(mainWindow);
}

void PickNameList(HWND mainWindow) {
    std::wstring path;
    if (!AskForListFile(mainWindow, path)) return;
    Settings().NameList = AsUtf16(path);
    Tick(mainWindow, IDC_FROM_LIST, true);
    Tick(mainWindow, IDC_KEEP_NAME, false);
    CurrentNameList(Settings(), true);
    ShowNameListTip(mainWindow);
}

void ShowNameListTip(HWND mainWindow) {
    HWND box = FromListBox(mainWindow);
    HWND tip = TipOf(box);
    if (!tip) return;
    std::u16string text = u"new names from a text file, one a line, for the rows in the order shown";
    const AppSettings& settings = Settings();
    if (!settings.NameList.empty()) {
        const std::shared_ptr<const NameList> list = CurrentNameList(settings);
        text += u": " + settings.NameList.str();
        if (list->problem == NameListProblem::Unreadable) {
            text += u" (cannot be read)";
        } else {
            const std::size_t lines = list->names.size();
            const std::wstring count = std::to_wstring(lines) + (lines == 1 ? L" name" : L" names");
            text += u", ";
            text += AsUtf16(count);
        }
    }
    SetTipText(tip, box, AsWide(text));
}

void ShowNameProblem(HWND mainWindow, const std::u16string& message) {
    const std::u16string text = message + u"\n\nNo file has been renamed.";
    MessageBoxW(mainWindow, reinterpret_cast<const wchar_t*>(text.c_str()), L"Error", MB_ICONERROR);
}

}  // namespace qm
