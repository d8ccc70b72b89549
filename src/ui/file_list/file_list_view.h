#pragma once
// The file list control 1081 is a virtual list view: it shows the rows of the
// window's FileTable and keeps only their selection itself.
#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <vector>

#include "core/rows/file_row.h"

namespace qm {

// Makes the control show `count` rows, keeping its scroll position.
void ShowRowCount(HWND list, std::size_t count);

// Fills a LVN_GETDISPINFOW request from the table.
void FillDisplayInfo(const FileTable& table, NMLVDISPINFOW& info);

// Answers a LVN_ODFINDITEMW request (the user typing a name in the list): the
// first row from the start row on, wrapping, whose name begins with the typed
// text (or equals it), ignoring ASCII case; -1 when there is none.
long FindRow(const FileTable& table, const NMLVFINDITEMW& request);

std::size_t SelectedRowCount(HWND list);

// The selected rows, top down.
std::vector<std::size_t> SelectedRows(HWND list);

// One flag per row: selected or not.
std::vector<bool> SelectionFlags(HWND list, std::size_t rowCount);

// Selects exactly the flagged rows; focus goes to none.
void SelectOnly(HWND list, const std::vector<bool>& flags);

// The virtual list with `count` rows and none of them selected or focused. A
// list shown without rows forgets its selection at once, where deselecting
// row by row may visit every row.
void ShowRowsUnselected(HWND list, std::size_t count);

// Selects every row.
void SelectAllRows(HWND list);

// Adds one row to the selection.
void SelectRow(HWND list, std::size_t row);

// Selects and focuses one row, deselecting the others.
void SelectAndFocus(HWND list, std::size_t row);

// Moves the selection and focus of the one selected row `from` to row `to`.
void MoveSelection(HWND list, std::size_t from, std::size_t to);

// The one selected row, or -1 when none or several are selected.
long SingleSelectedRow(HWND list);

}  // namespace qm
