#pragma once
// Editing the extension list 1082, a report list view with a check box per
// row: removing the selected rows, moving one row and sorting by a column.
// Check states move with their rows.
#include <windows.h>

namespace qm {

// -1 when no row is selected, 0 otherwise.
int RemoveSelectedRows(HWND extensionList);

// The new index of the one selected row moved by `direction` (-1 up, +1 down,
// wrapping at both ends), or -1 when not exactly one row is selected or the
// list has fewer than two rows.
long MoveExtensionRow(HWND extensionList, int direction);

// Sorts by column 0 ("From") or 1 ("To"); the selection follows its rows.
void SortExtensionRows(HWND extensionList, int column);

}  // namespace qm
