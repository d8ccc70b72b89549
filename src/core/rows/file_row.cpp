#include "core/rows/file_row.h"

#include <numeric>

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

std::vector<std::size_t> TakingPartRows(std::size_t rowCount, std::vector<std::size_t> selected) {
    if (!selected.empty()) return selected;
    std::vector<std::size_t> all(rowCount);
    std::iota(all.begin(), all.end(), std::size_t{0});
    return all;
}

}  // namespace qm
