#include "core/rows/file_table.h"

#include <algorithm>

namespace qm {

FileTable::FileTable(std::vector<FileRow> rows) : rows_(std::move(rows)), places_(rows_.size()) {
    for (std::size_t p = 0; p < places_.size(); ++p) places_[p] = static_cast<std::uint32_t>(p);
}

void FileTable::reserve(std::size_t rows) {
    rows_.reserve(rows);
    places_.reserve(rows);
}

void FileTable::clear() {
    rows_.clear();
    places_.clear();
}

FileRow& FileTable::emplace_back() {
    places_.push_back(static_cast<std::uint32_t>(rows_.size()));
    return rows_.emplace_back();
}

void FileTable::Append(FileTable&& other) {
    for (FileRow& row : other) emplace_back() = std::move(row);
    other.clear();
}

void FileTable::Reorder(const std::vector<std::size_t>& order) {
    std::vector<bool> named(size(), false);
    bool permutation = order.size() == size();
    for (std::size_t r = 0; r < order.size() && permutation; ++r) {
        permutation = order[r] < size() && !named[order[r]];
        if (permutation) named[order[r]] = true;
    }
    if (!permutation) {
        std::vector<FileRow> rows;
        rows.reserve(order.size());
        for (const std::size_t from : order) rows.push_back(std::move((*this)[from]));
        *this = FileTable(std::move(rows));
        return;
    }
    std::vector<std::uint32_t> places(order.size());
    for (std::size_t r = 0; r < order.size(); ++r) places[r] = places_[order[r]];
    places_ = std::move(places);
}

void FileTable::Remove(const std::vector<bool>& removed) {
    // The rows that remain close up in the order they were added (each moves
    // at most once, forward), so that no room is left to removed rows.
    std::vector<bool> remains(rows_.size(), false);
    for (std::size_t p = 0; p < places_.size(); ++p)
        if (p >= removed.size() || !removed[p]) remains[places_[p]] = true;
    std::vector<std::uint32_t> moved(rows_.size(), 0);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (!remains[i]) continue;
        if (kept != i) rows_[kept] = std::move(rows_[i]);
        moved[i] = static_cast<std::uint32_t>(kept++);
    }
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(kept), rows_.end());
    std::size_t place = 0;
    for (std::size_t p = 0; p < places_.size(); ++p)
        if (p >= removed.size() || !removed[p]) places_[place++] = moved[places_[p]];
    places_.resize(place);
}

void FileTable::MovePlace(std::size_t from, std::size_t to) {
    const auto at = [&](std::size_t p) { return places_.begin() + static_cast<std::ptrdiff_t>(p); };
    if (from < to) std::rotate(at(from), at(from + 1), at(to + 1));
    else if (to < from) std::rotate(at(to), at(from), at(from + 1));
}

void ApplyOrder(FileTable& rows, std::vector<bool>& selected, const std::vector<std::size_t>& order) {
    std::vector<std::size_t> named;  // the places the order names that hold a row
    std::vector<bool> sortedSelection;
    named.reserve(order.size());
    sortedSelection.reserve(order.size());
    for (const std::size_t from : order) {
        if (from >= rows.size()) continue;
        named.push_back(from);
        sortedSelection.push_back(from < selected.size() && selected[from]);
    }
    rows.Reorder(named);
    selected = std::move(sortedSelection);
}

void RemoveRows(FileTable& rows, std::vector<bool>& selected) {
    if (std::find(selected.begin(), selected.end(), true) == selected.end()) rows.clear();
    else rows.Remove(selected);
    selected.assign(rows.size(), false);
}

long MoveRow(FileTable& rows, long index, int direction) {
    const long n = static_cast<long>(rows.size());
    if (n < 2 || index < 0 || index >= n || (direction != -1 && direction != 1)) return -1;
    // Off either end the row wraps to the other, the others shifting by one.
    const long to = (index + direction + n) % n;
    if (to == index + direction) rows.SwapPlaces(static_cast<std::size_t>(index), static_cast<std::size_t>(to));
    else rows.MovePlace(static_cast<std::size_t>(index), static_cast<std::size_t>(to));
    return to;
}

}  // namespace qm
