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

#include "core/rows/fetch_ahead.h"
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
// Rows are moved along the cycles of the order in place: a million rows are
// never held twice. The cycles are listed before the rows move, so that the
// rows some places ahead are fetched while one moves: beyond the caches the
// moves then go at the memory's pace, not one wait for memory after another.
template <class Row>
void ApplyOrder(std::vector<Row>& rows, std::vector<bool>& selected, const std::vector<std::size_t>& order) {
    std::vector<bool> sortedSelection(rows.size(), false);
    for (std::size_t place = 0; place < order.size() && place < rows.size(); ++place)
        sortedSelection[place] = order[place] < selected.size() && selected[order[place]];
    std::vector<bool> placed(rows.size(), false);
    bool permutation = order.size() == rows.size();
    for (std::size_t place = 0; place < order.size() && permutation; ++place) {
        permutation = order[place] < rows.size() && !placed[order[place]];
        if (permutation) placed[order[place]] = true;
    }
    if (!permutation) {  // not every row once: the rows named, in order
        std::vector<Row> sorted;
        sorted.reserve(order.size());
        for (const std::size_t from : order) sorted.push_back(std::move(rows[from]));
        rows = std::move(sorted);
        sortedSelection.resize(rows.size());
        selected = std::move(sortedSelection);
        return;
    }
    // All cycles are listed before any row moves: following the order alone,
    // with no rows in the way, keeps it in the cache.
    placed.assign(rows.size(), false);
    std::vector<std::uint32_t> cycles;  // each cycle's places, its start first
    std::vector<std::size_t> ends;
    cycles.reserve(rows.size());
    for (std::size_t start = 0; start < rows.size(); ++start) {
        if (placed[start] || order[start] == start) continue;
        for (std::size_t place = start; !placed[place]; place = order[place]) {
            placed[place] = true;
            cycles.push_back(static_cast<std::uint32_t>(place));
        }
        ends.push_back(cycles.size());
    }
    constexpr std::size_t Ahead = 8;  // rows in flight: enough to hide memory's latency
    std::size_t first = 0;
    for (const std::size_t end : ends) {
        Row held = std::move(rows[cycles[first]]);
        for (std::size_t k = first; k + 1 < end; ++k) {
            if (k + Ahead < end) FetchAhead(rows[cycles[k + Ahead]]);
            rows[cycles[k]] = std::move(rows[cycles[k + 1]]);
        }
        rows[cycles[end - 1]] = std::move(held);
        first = end;
    }
    selected = std::move(sortedSelection);
}

}  // namespace qm
