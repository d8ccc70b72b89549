#pragma once
// The Add Extensions window (dialog template 1600): each "Add" appends one
// checked From/To row to the main window's extension list.
#include <windows.h>

#include <string>
#include <string_view>

namespace qm {

// Modal over `mainWindow`, adding to its extension list (control 1082).
void OpenAddExtensionsWindow(HWND mainWindow);

INT_PTR CALLBACK AddExtensionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// A typed extension as it enters the list: without full stops, blanks, the
// characters that a name may not contain, and the separator of the settings
// file's extension rows.
std::u16string CleanExtensionText(std::u16string_view typed);

}  // namespace qm
