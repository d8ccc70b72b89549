#include "core/files/undo_run.h"

#include <optional>

#include "core/files/attribute_letters.h"

namespace qm {

namespace {

enum class RowOutcome { Restored, Skipped, Stop };

// The file keeps the attributes its row shows rather than the cleared ones.
void GiveBackShownAttributes(FileSystem& files, const std::u16string& path, const FileRow& row) {
    files.SetAttributes(path, ParseAttributeLetters(row.attributes.view()));
}

RowOutcome UndoRow(FileRow& row, FileSystem& files, LocalOffset localOffset) {
    const std::u16string originalPath = OriginalPath(row);
    const std::u16string currentPath = CurrentPath(row);
    files.SetAttributes(currentPath, FileAttribute::Normal);

    if (currentPath != originalPath) {
        const MoveOutcome moved = files.Move(currentPath, originalPath);
        if (moved != MoveOutcome::Moved) {
            // Whatever now holds the original name is another file: leave it and
            // this row's times and attributes alone. Without any file there, the
            // open below would have failed and ended the undo, so end it here.
            GiveBackShownAttributes(files, currentPath, row);
            const bool nameTaken = moved == MoveOutcome::TargetExists ||
                                   files.GetAttributes(originalPath) != FileAttribute::Invalid;
            return nameTaken ? RowOutcome::Skipped : RowOutcome::Stop;
        }
        row.name = row.originalName;
    }

    const std::optional<std::uint64_t> created = ParseDateText(row.originallyCreated.view(), localOffset);
    const std::optional<std::uint64_t> written = ParseDateText(row.originallyModified.view(), localOffset);
    const std::optional<std::uint64_t> accessed = ParseDateText(row.originallyAccessed.view(), localOffset);
    {
        const std::unique_ptr<OpenFile> file = files.OpenForWrite(originalPath);
        if (!file) {
            GiveBackShownAttributes(files, originalPath, row);
            return RowOutcome::Stop;
        }
        file->WriteTimes(created ? &*created : nullptr, accessed ? &*accessed : nullptr,
                         written ? &*written : nullptr);
    }

    const std::uint32_t attributes = ParseAttributeLetters(row.originalAttributes.view());
    files.SetAttributes(originalPath, attributes);
    row.attributes = FormatAttributeLetters(attributes);
    if (created) row.created = FormatListDate(*created, localOffset);
    if (written) row.modified = FormatListDate(*written, localOffset);
    if (accessed) row.accessed = FormatListDate(*accessed, localOffset);
    return RowOutcome::Restored;
}

}  // namespace

void UndoRename(FileTable& table, const std::vector<std::size_t>& rows, FileSystem& files,
                LocalOffset localOffset, RunProgress* progress) {
    std::size_t done = 0;
    for (const std::size_t index : rows) {
        if (progress) progress->Advance(done++, rows.size());
        if (index >= table.size()) continue;
        if (UndoRow(table[index], files, localOffset) == RowOutcome::Stop) break;
    }
    if (progress) progress->Advance(rows.size(), rows.size());
}

}  // namespace qm
