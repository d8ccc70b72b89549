#include "core/run/undo_run.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "core/rows/attribute_letters.h"
#include "core/text/name_text.h"

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

std::u16string FoldedPath(std::u16string path) {
    ToAsciiUpper(path);
    return path;
}

}  // namespace

UndoReport UndoRename(FileTable& table, const std::vector<std::size_t>& rows, FileSystem& files,
                      LocalOffset localOffset, RunProgress* progress) {
    UndoReport report;
    // Rows skipped because their original name was taken, by that name: when
    // a later row moves away from it, the skipped row goes at once, so that a
    // chain of names shifted by one comes back in one pass.
    std::unordered_multimap<std::u16string, std::size_t> waiting;
    std::size_t restored = 0;
    bool stopped = false;
    const auto stopAsked = [&] {
        if (progress && !stopped && progress->StopRequested()) stopped = report.stopRequested = true;
        return stopped;
    };

    // Undoes one row and every row that waited for a name it freed.
    const auto undoChain = [&](std::size_t first) {
        std::vector<std::size_t> pending{first};
        while (!pending.empty() && !stopped) {
            const std::size_t index = pending.back();
            pending.pop_back();
            FileRow& row = table[index];
            const std::u16string leftPath = CurrentPath(row);
            switch (UndoRow(row, files, localOffset)) {
            case RowOutcome::Restored: {
                ++restored;
                if (leftPath == OriginalPath(row)) break;
                const auto found = waiting.find(FoldedPath(leftPath));
                if (found != waiting.end()) {
                    pending.push_back(found->second);
                    waiting.erase(found);
                }
                break;
            }
            case RowOutcome::Skipped:
                waiting.emplace(FoldedPath(OriginalPath(row)), index);
                break;
            case RowOutcome::Stop:
                report.stoppedAt = leftPath;
                stopped = true;
                break;
            }
            if (!pending.empty()) stopAsked();
        }
    };

    std::size_t done = 0;
    for (const std::size_t index : rows) {
        if (progress) progress->Advance(done, rows.size());
        if (stopAsked()) break;
        ++done;
        if (index >= table.size()) continue;
        undoChain(index);
        if (stopped) break;
    }
    // Names freed by something other than a row's move: try what is left
    // again, for as long as a pass gives something back.
    while (!stopped && !waiting.empty()) {
        const std::size_t before = restored;
        std::vector<std::size_t> again;
        for (const auto& [path, index] : waiting) again.push_back(index);
        waiting.clear();
        std::sort(again.begin(), again.end());
        for (const std::size_t index : again) {
            if (stopAsked()) break;
            undoChain(index);
        }
        if (restored == before) break;
    }
    if (progress) progress->Advance(report.stopRequested ? done : rows.size(), rows.size());

    std::size_t taking = 0;
    for (const std::size_t index : rows) taking += index < table.size();
    report.notRestored = taking - restored;
    return report;
}

}  // namespace qm
