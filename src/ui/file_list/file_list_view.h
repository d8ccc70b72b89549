#pragma once
// The file list control 1081 is a virtual list view: it shows the rows of the
// window's FileTable and keeps only their selection itself.
#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <vector>

#include "core/rows/file_table.h"
#include "ui/support/list_view_selection.h"

namespace qm {

// Makes the control show `count` rows, keeping its scroll position.
void ShowRowCount(HWND list, std::size_t count);

// Fills a LVN_GETDISPINFOW request from the table.
void FillDisplayInfo(const FileTable& table, NMLVDISPINFOW& info);

// Answers a LVN_ODFINDITEMW request (the user typing a name in the list): the
// first row from the start row on, wrapping, whose name begins with the typed
// text (or equals it), ignoring ASCII case; -1 when there is none.
long FindRow(const FileTable& table, const NMLVFINDITEMW& request);

// The virtual list with `count` rows and none of them selected or focused. A
// list shown without rows forgets its selection at once, where deselecting
// row by row may visit every row.
void ShowRowsUnselected(HWND list, std::size_t count);

// The header's sort arrow on `column` (up, or down when `descending`) and on
// no other; -1 takes every arrow away.
void ShowSortArrow(HWND list, int column, bool descending);

}  // namespace qm
