#pragma once
// The user-edited lists in the main window's controls: prefix box 1015 and
// suffix box 1016 (combo boxes with an edit field) and extension list 1082
// (a report list view with check boxes and the columns From and To).
#include <windows.h>

#include "core/settings/settings_lists.h"

namespace qm::win32 {

// What the file receives: each box's current text (at most 1022 characters), the
// first 100 entries of each history and every extension row in display order.
// A control that is missing gives empty data.
SettingsLists ReadListsFromControls(HWND mainWindow);

// The current text of each box, as the file reader starts from it.
SettingsLists CurrentTextsOfControls(HWND mainWindow);

// Appends the entries and rows at the end of their controls and shows the
// current texts where they differ from what the boxes hold.
void AppendListsToControls(HWND mainWindow, const SettingsLists& lists);

// The rows of an extension list view, in display order, and appending rows to it.
std::vector<ExtensionRow> ReadExtensionRows(HWND list);
void AppendExtensionRows(HWND list, const std::vector<ExtensionRow>& rows);

}  // namespace qm::win32
