#include "core/rows/file_order.h"

#include "core/rows/list_editing.h"

namespace qm {

bool IsDateColumn(int column) {
    switch (column) {
    case FileColumn::Created:
    case FileColumn::Modified:
    case FileColumn::Accessed:
    case FileColumn::OriginallyCreated:
    case FileColumn::OriginallyModified:
    case FileColumn::OriginallyAccessed:
    case FileColumn::Taken: return true;
    default: return false;
    }
}

std::optional<std::uint64_t> ColumnInstant(const FileRow& row, int column, LocalOffset localOffset) {
    if (column == FileColumn::Taken) return TakenInstant(row, localOffset);
    if (!IsDateColumn(column)) return std::nullopt;
    return ParseDateText(ColumnText(row, column), localOffset);
}

std::vector<std::size_t> OrderOfColumn(const FileTable& table, const ColumnSort& sort) {
    // Plainly, "Taken" sorts by the date itself and the rest by their texts.
    if (!sort.asExplorer && sort.column == FileColumn::Taken) return OrderByDateTaken(table, sort.localOffset);
    if (sort.asExplorer && IsDateColumn(sort.column)) {
        std::vector<std::optional<std::uint64_t>> instants;
        instants.reserve(table.size());
        for (const FileRow& row : table) instants.push_back(ColumnInstant(row, sort.column, sort.localOffset));
        return OrderByInstants(instants, sort.descending);
    }
    std::vector<std::u16string_view> texts;
    texts.reserve(table.size());
    for (const FileRow& row : table) texts.push_back(ColumnText(row, sort.column));
    return sort.asExplorer ? NaturalOrderOfTexts(texts, sort.fold, sort.descending) : SortedOrderOfTexts(texts);
}

}  // namespace qm
