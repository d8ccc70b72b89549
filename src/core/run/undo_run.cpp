#include "core/run/undo_run.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "core/rows/add_files.h"
#include "core/rows/attribute_letters.h"
#include "core/run/run_record.h"
#include "core/run/run_prediction.h"
#include "core/text/name_text.h"

namespace qm {

namespace {

enum class RowOutcome {
    Restored,
    RestoredLast,  // restored, but the journal could not be told: the undo ends
    Skipped,       // another file holds the original name: tried again when a row frees it
    Unopened,      // the file cannot be opened or moved (held open, gone): left for the next undo
    Unrecorded,    // the journal could not be told: the undo ends before the file moves
    NotTheFile,    // another file is at the row's name
    Missing,       // no file is at the row's name (another row of the same file may bring it there)
};

// The file keeps the attributes its row shows rather than the cleared ones.
void GiveBackShownAttributes(FileSystem& files, const std::u16string& path, const FileRow& row) {
    files.SetAttributes(path, row.attributes);
}

RowOutcome UndoRow(FileRow& row, std::size_t slot, FileSystem& files, MoveRecord* record) {
    const std::u16string originalPath = OriginalPath(row);
    const std::u16string currentPath = CurrentPath(row);
    // Only the row's own file, and only a regular file: a folder, a link, a
    // file whose identity cannot be read, or another file that has taken the
    // name (or its index) is left alone. A row of an oldest journal knows no
    // identity and is taken at its word.
    const bool checked = row.identity.known();
    if (checked) {
        const FileIdentity found = files.ReadIdentity(currentPath);
        if (!IsSameFile(row.identity, found)) {
            const bool nothing = !found.known() && files.GetAttributes(currentPath) == FileAttribute::Invalid;
            return nothing ? RowOutcome::Missing : RowOutcome::NotTheFile;
        }
    }
    // The journal learns of the file before it is moved or its times change.
    if (record && !record->Reached(slot, row.identity)) return RowOutcome::Unrecorded;
    files.SetAttributes(currentPath, FileAttribute::Normal);

    // Names compare as the file system keeps them; a change of case is a move.
    bool moved = false;
    if (WithoutTrailingDotsAndBlanks(row.name) != WithoutTrailingDotsAndBlanks(row.originalName)) {
        const MoveOutcome outcome = files.Move(currentPath, originalPath);
        if (outcome != MoveOutcome::Moved) {
            // Whatever now holds the original name is another file: leave it and
            // this row's times and attributes alone. Without any file there,
            // the file itself could not be moved.
            GiveBackShownAttributes(files, currentPath, row);
            if (record) record->Finished(slot, false, false, row.identity);
            const bool nameTaken = outcome == MoveOutcome::TargetExists ||
                                   files.GetAttributes(originalPath) != FileAttribute::Invalid;
            return nameTaken ? RowOutcome::Skipped : RowOutcome::Unopened;
        }
        moved = true;
        row.name = row.originalName;
    }

    const auto known = [](std::uint64_t time) { return time != NoTime ? std::optional(time) : std::nullopt; };
    const std::optional<std::uint64_t> created = known(row.originallyCreated);
    const std::optional<std::uint64_t> written = known(row.originallyModified);
    const std::optional<std::uint64_t> accessed = known(row.originallyAccessed);
    {
        const std::unique_ptr<OpenFile> file = files.OpenForWrite(originalPath);
        // The handle itself says whose file it is: nothing can have taken the name since it was checked.
        const bool ours = file && (!checked || IsSameFile(row.identity, file->ReadIdentity()));
        if (!ours) {
            GiveBackShownAttributes(files, originalPath, row);
            if (record && moved) record->Finished(slot, true, true, row.identity);
            return file ? RowOutcome::NotTheFile : RowOutcome::Unopened;
        }
        file->WriteTimes(created ? &*created : nullptr, accessed ? &*accessed : nullptr,
                         written ? &*written : nullptr);
        // The file has just been given its original creation time.
        if (checked) {
            const FileIdentity now = file->ReadIdentity();
            if (now.regularFile()) row.identity = now;
        }
    }
    row.name = row.originalName;

    files.SetAttributes(originalPath, row.originalAttributes);
    row.attributes = row.originalAttributes;
    if (created) row.created = *created;
    if (written) row.modified = *written;
    if (accessed) row.accessed = *accessed;
    if (record && !record->Finished(slot, moved, true, row.identity)) return RowOutcome::RestoredLast;
    return RowOutcome::Restored;
}

std::u16string FoldedPath(std::u16string path) {
    ToAsciiUpper(path);
    return path;
}

}  // namespace

UndoReport UndoRename(FileTable& table, const std::vector<std::size_t>& rows, FileSystem& files,
                      RunProgress* progress, MoveRecord* record) {
    UndoReport report;
    // Rows skipped because their original name was taken, by that name: when
    // a later row moves away from it, the skipped row goes at once, so that a
    // chain of names shifted by one comes back in one pass.
    std::unordered_multimap<std::u16string, std::size_t> waiting;
    // Rows whose name holds another file, or none: tried again at the end,
    // when the undo may have brought their own files back there (a file
    // listed twice is moved back by one of its rows).
    std::vector<std::size_t> strangers, missing;
    // Rows moved aside to break a cycle of names, with the path they left.
    std::vector<std::pair<std::size_t, std::u16string>> aside;
    std::size_t restored = 0;
    bool stopped = false;
    const auto stopAsked = [&] {
        if (progress && !stopped && progress->StopRequested()) stopped = report.stopRequested = true;
        return stopped;
    };
    // The row that waits for the name at `path`, now free; NoRow when none does.
    constexpr std::size_t NoRow = static_cast<std::size_t>(-1);
    const auto waiterFor = [&](const std::u16string& path) {
        const auto found = waiting.find(FoldedPath(path));
        if (found == waiting.end()) return NoRow;
        const std::size_t index = found->second;
        waiting.erase(found);
        return index;
    };

    // Undoes one row and every row that waited for a name it freed.
    const auto undoChain = [&](std::size_t first) {
        std::vector<std::size_t> pending{first};
        while (!pending.empty() && !stopped) {
            const std::size_t index = pending.back();
            pending.pop_back();
            FileRow& row = table[index];
            const std::u16string leftPath = CurrentPath(row);
            const RowOutcome outcome = UndoRow(row, index, files, record);
            switch (outcome) {
            case RowOutcome::RestoredLast:
            case RowOutcome::Restored: {
                ++restored;
                if (outcome == RowOutcome::RestoredLast) {
                    stopped = true;
                    pending.clear();
                    break;
                }
                if (SameFile(leftPath, OriginalPath(row))) break;
                if (const std::size_t next = waiterFor(leftPath); next != NoRow) pending.push_back(next);
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
            case RowOutcome::Unopened:
                // One file held open keeps no other from coming back: the next undo tries it again.
                if (report.skipped++ == 0) report.firstSkipped = leftPath;
                break;
            case RowOutcome::Unrecorded:
                stopped = true;
                break;
            }
            if (!pending.empty()) stopAsked();
        }
    };

    // Rows that wait for names held by one another's files, round in a
    // circle (a swap): one of each circle moves aside to a temporary name in
    // its folder, which frees its name for the circle; it takes its original
    // name last. The journal holds the temporary name before the move.
    std::uint32_t temporaryNumber = 0;
    const auto breakCycles = [&] {
        std::unordered_map<std::u16string, std::size_t> waitingAt;  // by the path each waiting row's file is at
        std::vector<std::size_t> nodes;
        for (const auto& [path, index] : waiting) {
            waitingAt.emplace(FoldedPath(CurrentPath(table[index])), index);
            nodes.push_back(index);
        }
        std::sort(nodes.begin(), nodes.end());
        std::unordered_map<std::size_t, int> seen;  // 1: on the walk now, 2: done with
        for (const std::size_t start : nodes) {
            std::vector<std::size_t> walk;
            for (std::size_t x = start; !stopped && seen[x] == 0;) {
                seen[x] = 1;
                walk.push_back(x);
                const auto holder = waitingAt.find(FoldedPath(OriginalPath(table[x])));
                if (holder == waitingAt.end()) break;
                x = holder->second;
                if (seen[x] != 1) continue;
                // A circle through x: x moves aside, and the circle follows.
                FileRow& row = table[x];
                const std::u16string left = CurrentPath(row);
                std::u16string name, path;
                do {
                    name = TemporaryName(temporaryNumber++);
                    path = JoinPath(row.folderText(), name);
                } while (files.GetAttributes(path) != FileAttribute::Invalid);
                if (record && !record->Aside(x, name, false)) {
                    stopped = true;
                    break;
                }
                if (files.Move(left, path) != MoveOutcome::Moved) break;
                row.name = name;
                aside.emplace_back(x, left);
                waitingAt.erase(FoldedPath(left));
                if (record && !record->Aside(x, name, true)) {
                    stopped = true;
                    break;
                }
                if (const std::size_t next = waiterFor(left); next != NoRow) undoChain(next);
                break;
            }
            for (const std::size_t x : walk) seen[x] = 2;
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
    // Circles of names, and names freed by something other than a row's
    // move: try what is left again, for as long as a pass gives something back.
    for (bool gaveBack = true; !stopped && gaveBack;) {
        const std::size_t before = restored;
        breakCycles();
        if (stopped || (waiting.empty() && strangers.empty() && missing.empty())) break;
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
        gaveBack = restored != before;
    }
    // A circle that did not close (one of it failed): a file moved aside goes
    // back to the name it had where that is free; otherwise its row names it
    // where it is.
    for (const auto& [index, left] : aside) {
        FileRow& row = table[index];
        const std::u16string_view back = SplitPath(left).name;
        if (!IsTemporaryName(row.name) || (record && !record->Aside(index, back, false)) ||
            files.Move(CurrentPath(row), left) != MoveOutcome::Moved)
            continue;
        row.name = back;
        if (record) record->Aside(index, row.name, true);
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
