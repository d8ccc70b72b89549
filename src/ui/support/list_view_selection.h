#pragma once
// The selection of a list view in report view (the file list, the extension
// list): reading it row by row and setting it.
#include <windows.h>

#include <cstddef>
#include <vector>

namespace qm {

std::size_t SelectedRowCount(HWND list);

// The selected rows, top down.
std::vector<std::size_t> SelectedRows(HWND list);

// One flag per row: selected or not.
std::vector<bool> SelectionFlags(HWND list, std::size_t rowCount);

// Selects exactly the flagged rows; focus goes to none.
void SelectOnly(HWND list, const std::vector<bool>& flags);

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
