#include "core/rows/file_order.h"

#include "core/rows/keyed_sort.h"
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
    const std::uint64_t* instant = ColumnTime(row, column);
    // A time the list shows no date for sorts as one without a date.
    if (!instant || *instant == NoTime || !HasListDate(*instant, localOffset)) return std::nullopt;
    return *instant;
}

namespace {

// A date column by its text, from numbers that order as the texts do: a
// million dates made into text would be some 60 MB. None where a date has a
// five-digit year.
std::optional<std::vector<std::size_t>> OrderOfDateTexts(const FileTable& table, int column, LocalOffset localOffset) {
    std::vector<SortKey> keys(table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        const std::uint64_t* instant = ColumnTime(table[i], column);
        if (!instant) return std::nullopt;
        const std::optional<std::uint64_t> order = *instant == NoTime ? 0 : ListDateTextOrder(*instant, localOffset);
        if (!order) return std::nullopt;
        keys[i] = {*order, static_cast<std::uint32_t>(i)};
    }
    SortKeysByHead(keys);
    return IndexesOf(keys);
}

}  // namespace

std::vector<std::size_t> OrderOfColumn(const FileTable& table, const ColumnSort& sort) {
    // Plainly, "Taken" sorts by the date itself and the rest by their texts.
    if (!sort.asExplorer && sort.column == FileColumn::Taken) return OrderByDateTaken(table, sort.localOffset);
    if (sort.asExplorer && IsDateColumn(sort.column)) {
        std::vector<std::optional<std::uint64_t>> instants;
        instants.reserve(table.size());
        for (const FileRow& row : table) instants.push_back(ColumnInstant(row, sort.column, sort.localOffset));
        return OrderByInstants(instants, sort.descending);
    }
    if (!sort.asExplorer && IsDateColumn(sort.column) && sort.column != FileColumn::Taken)
        if (std::optional<std::vector<std::size_t>> order = OrderOfDateTexts(table, sort.column, sort.localOffset))
            return std::move(*order);
    // Names and folders are viewed where the rows keep them; dates and letters
    // are made once, into one buffer: a million rows get no million small texts.
    const bool made = sort.column != FileColumn::Name && sort.column != FileColumn::Folder &&
                      sort.column != FileColumn::OriginalName;
    std::vector<std::u16string_view> texts;
    texts.reserve(table.size());
    std::u16string madeTexts;
    if (made) {
        std::vector<std::uint32_t> ends;
        ends.reserve(table.size());
        // A column's texts are mostly of one length: room for all at once, not
        // a buffer of tens of megabytes copied each time it doubles.
        if (!table.empty()) madeTexts.reserve(table.size() * (ColumnText(table[0], sort.column, sort.localOffset).view().size() + 1));
        for (const FileRow& row : table) {
            madeTexts += ColumnText(row, sort.column, sort.localOffset).view();
            ends.push_back(static_cast<std::uint32_t>(madeTexts.size()));
        }
        std::size_t begin = 0;
        for (const std::uint32_t end : ends) {
            texts.push_back(std::u16string_view(madeTexts).substr(begin, end - begin));
            begin = end;
        }
    } else {
        for (const FileRow& row : table) texts.push_back(ColumnText(row, sort.column, sort.localOffset).view());
    }
    return sort.asExplorer ? NaturalOrderOfTexts(texts, sort.fold, sort.descending) : SortedOrderOfTexts(texts);
}

}  // namespace qm
