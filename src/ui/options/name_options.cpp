#include "ui/options/name_options.h"

#include <commctrl.h>

#include "resource_ids.h"

namespace qm {

namespace {

constexpr int BoxLimit = 260;  // as the prefix and suffix boxes

}  // namespace

void SetUpNameOptions(HWND mainWindow) {
    SendDlgItemMessageW(mainWindow, IDC_FIND_BOX, CB_LIMITTEXT, BoxLimit, 0);
    SendDlgItemMessageW(mainWindow, IDC_REPLACE_BOX, CB_LIMITTEXT, BoxLimit, 0);
}

void ShowNameProblem(HWND mainWindow, const std::u16string& message) {
    const std::u16string text = message + u"\n\nNo file has been renamed.";
    MessageBoxW(mainWindow, reinterpret_cast<const wchar_t*>(text.c_str()), L"Error", MB_ICONERROR);
}

}  // namespace qm
