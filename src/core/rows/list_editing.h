#pragma once
// Editing a table of rows without touching any file: removing, moving one row
// with wrap-around and sorting by a column. A row carries whatever belongs to
// it (a check state, say), so that it moves along.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/text/name_text.h"
#include "core/text/natural_order.h"

namespace qm {

// Removes the selected rows, or every row when none is selected. `selected`
// holds one flag per row and is updated with the rows.
template <class Row>
void RemoveRows(std::vector<Row>& rows, std::vector<bool>& selected) {
    if (std::find(selected.begin(), selected.end(), true) == selected.end()) {
        rows.clear();
        selected.clear();
        return;
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i < selected.size() && selected[i]) continue;
        if (kept != i) rows[kept] = std::move(rows[i]);
        ++kept;
    }
    rows.resize(kept);
    selected.assign(kept, false);
}

// Moves row `index` one place up (direction -1) or down (+1); the top row moved
// up becomes the bottom row and the bottom row moved down the top row, the
// others shifting by one. Returns the row's new index, or -1 when the table
// has fewer than two rows or `index` is no row.
template <class Row>
long MoveRow(std::vector<Row>& rows, long index, int direction) {
    const long n = static_cast<long>(rows.size());
    if (n < 2 || index < 0 || index >= n || (direction != -1 && direction != 1)) return -1;
    if (direction < 0 && index == 0) {
        std::rotate(rows.begin(), rows.begin() + 1, rows.end());
        return n - 1;
    }
    if (direction > 0 && index == n - 1) {
        std::rotate(rows.begin(), rows.end() - 1, rows.end());
        return 0;
    }
    std::swap(rows[index], rows[index + direction]);
    return index + direction;
}

// The order that sorts `texts` ascending, ignoring the case of ASCII letters,
// texts that compare equal keeping their order. Element r is the index of the
// text that goes to place r.
std::vector<std::size_t> SortedOrderOfTexts(const std::vector<std::u16string_view>& texts);

// The same for the texts that `textOf(row)` gives.
template <class Row, class TextOf>
std::vector<std::size_t> SortedOrder(const std::vector<Row>& rows, TextOf textOf) {
    std::vector<std::u16string_view> texts;
    texts.reserve(rows.size());
    for (const Row& row : rows) texts.push_back(textOf(row));
    return SortedOrderOfTexts(texts);
}

// The order that sorts `texts` as Explorer does (CompareNaturally, each text
// folded once with FoldedForSorting), descending when asked; texts that
// compare equal keep their order either way.
std::vector<std::size_t> NaturalOrderOfTexts(const std::vector<std::u16string_view>& texts, CaseFold fold,
                                             bool descending);

// The order of instants, earliest first or latest first, the entries without
// one last either way; equal instants keep their order.
std::vector<std::size_t> OrderByInstants(const std::vector<std::optional<std::uint64_t>>& instants, bool descending);

// Puts the rows and their selection flags into `order` (as SortedOrder gives).
// For the few rows of a table such as the extensions'; the file list's own
// table reorders the places of its rows instead (file_table.h).
template <class Row>
void ApplyOrder(std::vector<Row>& rows, std::vector<bool>& selected, const std::vector<std::size_t>& order) {
    std::vector<Row> sorted;
    std::vector<bool> sortedSelection;
    sorted.reserve(order.size());
    for (const std::size_t from : order) {
        if (from >= rows.size()) continue;
        sorted.push_back(std::move(rows[from]));
        sortedSelection.push_back(from < selected.size() && selected[from]);
    }
    rows = std::move(sorted);
    selected = std::move(sortedSelection);
}

}  // namespace qm
