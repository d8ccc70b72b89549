#include "core/rows/file_row.h"

#include <numeric>

#include "core/rows/file_table.h"
#include "core/rows/list_editing.h"

namespace qm {

std::uint32_t KeptAttributes(std::uint32_t attributes) {
    return ParseAttributeLetters(FormatAttributeLetters(attributes).view());
}

ListDateText RowDateText(std::uint64_t instant, LocalOffset localOffset) {
    return instant == NoTime ? ListDateText() : FormatListDate(instant, localOffset);
}

namespace {

CellText Letters(std::uint32_t attributes) {
    // The letters fit a date's room; a cell text has only the one.
    const AttributeLetters letters = FormatAttributeLetters(attributes);
    ListDateText text;
    text = letters.view();
    return text;
}

}  // namespace

const std::uint64_t* ColumnTime(const FileRow& row, int column) {
    switch (column) {
    case FileColumn::Created: return &row.created;
    case FileColumn::Modified: return &row.modified;
    case FileColumn::Accessed: return &row.accessed;
    case FileColumn::OriginallyCreated: return &row.originallyCreated;
    case FileColumn::OriginallyModified: return &row.originallyModified;
    case FileColumn::OriginallyAccessed: return &row.originallyAccessed;
    default: return nullptr;
    }
}

CellText ColumnText(const FileRow& row, int column, LocalOffset localOffset) {
    if (const std::uint64_t* time = ColumnTime(row, column)) return RowDateText(*time, localOffset);
    switch (column) {
    case FileColumn::Name: return CellText(row.name);
    case FileColumn::Folder: return CellText(row.folderText());
    case FileColumn::Attributes: return Letters(row.attributes);
    case FileColumn::OriginalName: return CellText(row.originalName);
    case FileColumn::OriginalAttributes: return Letters(row.originalAttributes);
    // As the camera's clock showed it, whatever zone it named.
    case FileColumn::Taken:
        return row.taken ? CellText(FormatListDate(TakenInstantUtc(*row.taken, localOffset),
                                                   TakenClockOffset(*row.taken, localOffset)))
                         : CellText();
    default: return {};
    }
}

std::u16string JoinPath(std::u16string_view folder, std::u16string_view name) {
    std::u16string path;
    path.reserve(folder.size() + 1 + name.size());
    path.append(folder).push_back(u'\\');
    path.append(name);
    return path;
}

std::u16string_view FolderName(std::u16string_view folder) {
    while (!folder.empty() && folder.back() == u'\\') folder.remove_suffix(1);
    std::u16string_view name = folder.substr(folder.rfind(u'\\') + 1);
    if (name.size() == 2 && name[1] == u':') name.remove_suffix(1);
    return name;
}

std::optional<std::uint64_t> TakenInstant(const FileRow& row, LocalOffset localOffset) {
    if (!row.taken) return std::nullopt;
    return TakenInstantUtc(*row.taken, localOffset);
}

std::vector<std::size_t> OrderByDateTaken(const FileTable& table, LocalOffset localOffset) {
    std::vector<std::optional<std::uint64_t>> instants;
    instants.reserve(table.size());
    for (const FileRow& row : table) instants.push_back(TakenInstant(row, localOffset));
    return OrderByInstants(instants, false);
}

std::vector<std::size_t> TakingPartRows(std::size_t rowCount, std::vector<std::size_t> selected) {
    if (!selected.empty()) return selected;
    std::vector<std::size_t> all(rowCount);
    std::iota(all.begin(), all.end(), std::size_t{0});
    return all;
}

}  // namespace qm
