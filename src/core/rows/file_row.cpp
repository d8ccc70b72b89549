#include "core/rows/file_row.h"

#include <numeric>

#include "core/rows/list_editing.h"

namespace qm {

std::u16string_view ColumnText(const FileRow& row, int column) {
    switch (column) {
    case FileColumn::Name: return row.name;
    case FileColumn::Created: return row.created.view();
    case FileColumn::Modified: return row.modified.view();
    case FileColumn::Accessed: return row.accessed.view();
    case FileColumn::Folder: return row.folderText();
    case FileColumn::Attributes: return row.attributes.view();
    case FileColumn::OriginalName: return row.originalName;
    case FileColumn::OriginallyCreated: return row.originallyCreated.view();
    case FileColumn::OriginallyModified: return row.originallyModified.view();
    case FileColumn::OriginallyAccessed: return row.originallyAccessed.view();
    case FileColumn::OriginalAttributes: return row.originalAttributes.view();
    case FileColumn::Taken: return row.takenText.view();
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
