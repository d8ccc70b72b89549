#include "core/run/undo_run.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "core/rows/attribute_letters.h"
#include "core/run/run_prediction.h"
#include "core/text/name_text.h"

namespace qm {

namespace {

enum class RowOutcome {
    Restored,
    Skipped,     // another file holds the original name: tried again when a row frees it
    Stop,        // the file cannot be opened: the undo ends
    NotTheFile,  // another file is at the row's name
    Missing,     // no file is at the row's name (another row of the same file may bring it there)
};

// The file keeps the attributes its row shows rather than the cleared ones.
void GiveBackShownAttributes(FileSystem& files, const std::u16string& path, const FileRow& row) {
    files.SetAttributes(path, ParseAttributeLetters(row.attributes.view()));
}

RowOutcome UndoRow(FileRow& row, FileSystem& files, LocalOffset localOffset) {
    const std::u16string originalPath = OriginalPath(row);
    const std::u16string currentPath = CurrentPath(row);
    if (row.identity.known()) {
        const FileIdentity found = files.ReadIdentity(currentPath);
        if (found.known() && !IsSameFile(row.identity, found)) return RowOutcome::NotTheFile;
        if (!found.known() && files.GetAttributes(currentPath) == FileAttribute::Invalid) return RowOutcome::Missing;
    }
    files.SetAttributes(currentPath, FileAttribute::Normal);

    // Names compare as the file system keeps them; a change of case is a move.
    if (WithoutTrailingDotsAndBlanks(row.name) != WithoutTrailingDotsAndBlanks(row.originalName)) {
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
        // A file told apart by its creation time has just been given another.
        if (row.identity.kind == FileIdentity::Kind::SizeAndCreation) row.identity.created = file->ReadTimes().created;
    }
    row.name = row.originalName;

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
    // Rows whose name holds another file, or none: tried again at the end,
    // when the undo may have brought their own files back there (a file
    // listed twice is moved back by one of its rows).
    std::vector<std::size_t> strangers, missing;
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
            case RowOutcome::NotTheFile:
                strangers.push_back(index);
                break;
            case RowOutcome::Missing:
                missing.push_back(index);
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
    while (!stopped && (!waiting.empty() || !strangers.empty() || !missing.empty())) {
        const std::size_t before = restored;
        std::vector<std::size_t> again = std::move(strangers);
        strangers.clear();
        again.insert(again.end(), missing.begin(), missing.end());
        missing.clear();
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
    if (!stopped && !strangers.empty())
        report.notTheFile = CurrentPath(table[*std::min_element(strangers.begin(), strangers.end())]);

    std::size_t taking = 0;
    for (const std::size_t index : rows) taking += index < table.size();
    report.notRestored = taking - restored;
    return report;
}

}  // namespace qm
