#pragma once
// The file list's rows in display order, which is the order of numbering.
// Each row stays where it was added; the table keeps its place in the list,
// 4 bytes a row, and a sort or a move reorders only those places: a million
// rows of 200 bytes sort without 200 MB going through memory.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <utility>
#include <vector>

#include "core/rows/file_row.h"

namespace qm {

class FileTable {
public:
    template <class Table, class Row>
    class Iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = FileRow;
        using difference_type = std::ptrdiff_t;
        using pointer = Row*;
        using reference = Row&;

        Iterator() = default;
        Iterator(Table* table, std::size_t place) : table_(table), place_(place) {}
        Row& operator*() const { return (*table_)[place_]; }
        Row* operator->() const { return &(*table_)[place_]; }
        Row& operator[](difference_type n) const { return (*table_)[place_ + n]; }
        Iterator& operator++() { ++place_; return *this; }
        Iterator operator++(int) { Iterator before = *this; ++place_; return before; }
        Iterator& operator--() { --place_; return *this; }
        Iterator operator--(int) { Iterator before = *this; --place_; return before; }
        Iterator& operator+=(difference_type n) { place_ += n; return *this; }
        Iterator& operator-=(difference_type n) { place_ -= n; return *this; }
        friend Iterator operator+(Iterator i, difference_type n) { return i += n; }
        friend Iterator operator+(difference_type n, Iterator i) { return i += n; }
        friend Iterator operator-(Iterator i, difference_type n) { return i -= n; }
        friend difference_type operator-(const Iterator& a, const Iterator& b) {
            return static_cast<difference_type>(a.place_) - static_cast<difference_type>(b.place_);
        }
        friend bool operator==(const Iterator& a, const Iterator& b) { return a.place_ == b.place_; }
        friend auto operator<=>(const Iterator& a, const Iterator& b) { return a.place_ <=> b.place_; }

    private:
        Table* table_ = nullptr;
        std::size_t place_ = 0;
    };
    using iterator = Iterator<FileTable, FileRow>;
    using const_iterator = Iterator<const FileTable, const FileRow>;
    using value_type = FileRow;

    FileTable() = default;
    // The rows in this order, each at the place of its index.
    explicit FileTable(std::vector<FileRow> rows);
    FileTable(std::initializer_list<FileRow> rows) : FileTable(std::vector<FileRow>(rows)) {}
    explicit FileTable(std::size_t count) : FileTable(std::vector<FileRow>(count)) {}

    std::size_t size() const { return places_.size(); }
    bool empty() const { return places_.empty(); }
    FileRow& operator[](std::size_t place) { return rows_[places_[place]]; }
    const FileRow& operator[](std::size_t place) const { return rows_[places_[place]]; }
    FileRow& front() { return (*this)[0]; }
    const FileRow& front() const { return (*this)[0]; }
    FileRow& back() { return (*this)[size() - 1]; }
    const FileRow& back() const { return (*this)[size() - 1]; }
    iterator begin() { return {this, 0}; }
    iterator end() { return {this, size()}; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    void reserve(std::size_t rows);
    void clear();
    void swap(FileTable& other) noexcept {
        rows_.swap(other.rows_);
        places_.swap(other.places_);
    }
    // A new row at the end of the list.
    FileRow& emplace_back();
    void push_back(FileRow row) { emplace_back() = std::move(row); }
    // The rows of `other`, in its order, moved to the end of the list.
    void Append(FileTable&& other);

    // The rows put into `order`: element r is the place of the row that goes
    // to place r, each a place that holds a row. An order that is no
    // permutation (a place left out or named twice) leaves the rows it
    // names, in that order, a row named twice moved the first time.
    void Reorder(const std::vector<std::size_t>& order);
    // The rows whose place `removed` flags leave the table, the rest keeping
    // their order.
    void Remove(const std::vector<bool>& removed);
    // The rows at two places change places.
    void SwapPlaces(std::size_t a, std::size_t b) { std::swap(places_[a], places_[b]); }
    // The row at place `from` goes to place `to`, the rows between shifting by one.
    void MovePlace(std::size_t from, std::size_t to);

private:
    std::vector<FileRow> rows_;           // in the order they were added; those of removed places are gone
    std::vector<std::uint32_t> places_;   // element p is the index in rows_ of the row at place p
};

// The list editing of list_editing.h, done on the places alone.
void ApplyOrder(FileTable& rows, std::vector<bool>& selected, const std::vector<std::size_t>& order);
void RemoveRows(FileTable& rows, std::vector<bool>& selected);
long MoveRow(FileTable& rows, long index, int direction);

}  // namespace qm
