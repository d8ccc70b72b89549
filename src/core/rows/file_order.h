#pragma once
// The order of the file list after a click on one of its headers: by the
// column's text, ascending every time; or, with "Sort as Explorer does",
// names and paths as Explorer orders them and dates by their instants, either
// way round. Equal rows keep their order.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/rows/file_table.h"
#include "core/text/natural_order.h"

namespace qm {

struct ColumnSort {
    int column = FileColumn::Name;
    bool asExplorer = false;  // otherwise the text, case of A-Z ignored, ascending
    bool descending = false;  // only as Explorer does
    CaseFold fold = nullptr;  // for letters beyond ASCII
    LocalOffset localOffset = 0;
};

// Whether `column` holds a date (Created to Accessed, their originals, Taken).
bool IsDateColumn(int column);

// The instant that a date column of the row stands for; none for a row
// without one there, and for any other column. The one place where a row's
// time is read for sorting.
std::optional<std::uint64_t> ColumnInstant(const FileRow& row, int column, LocalOffset localOffset);

// Element r is the index of the row that goes to place r.
std::vector<std::size_t> OrderOfColumn(const FileTable& table, const ColumnSort& sort);

}  // namespace qm
