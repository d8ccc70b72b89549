#include "core/files/rename_run.h"

#include "core/files/name_text.h"
#include "core/text/remove_characters.h"
#include "core/settings/decimal_text.h"

namespace qm {

namespace {

void AppendPiece(std::u16string& out, const NamePiece& piece, std::u16string_view spacer) {
    if (!piece.used) return;
    std::u16string text = piece.text;
    if (piece.uppercase) ToAsciiUpper(text);
    if (piece.lowercase) ToAsciiLower(text);
    out += text;
    if (!text.empty() && piece.spacer) out += spacer;
}

// A "To" text comes from a file that may have been edited by hand: cleaned like
// the name part, it can neither lead out of the folder nor make a name that no
// file can have.
std::vector<ExtensionMapping> CleanedMap(const std::vector<ExtensionMapping>& map) {
    std::vector<ExtensionMapping> cleaned;
    cleaned.reserve(map.size());
    for (const ExtensionMapping& row : map) {
        if (!row.checked) continue;
        ExtensionMapping copy = row;
        copy.to = RemoveCharacters(copy.to, NameForbiddenCharacters);
        cleaned.push_back(std::move(copy));
    }
    return cleaned;
}

struct Prepared {
    std::u16string namePart;
    std::size_t numberWidth = 0;
    std::uint32_t number = 0;
    std::vector<ExtensionMapping> map;
};

std::u16string NewName(const RenameOptions& options, const Prepared& prepared, const NameSplit& old,
                       std::u16string_view extension) {
    std::u16string name;
    if (options.fileNames) {
        name = prepared.namePart;
        AppendPaddedNumber(name, prepared.number, prepared.numberWidth);
    } else {
        name.assign(old.base);
    }
    name += extension;
    return name;
}

void WriteDates(FileRow& row, const FileTimes& times, LocalOffset offset) {
    row.created = FormatListDate(times.created, offset);
    row.modified = FormatListDate(times.written, offset);
    row.accessed = FormatListDate(times.accessed, offset);
}

void PutBack(FileSystem& files, const std::u16string& path, std::uint32_t saved) {
    if (saved != FileAttribute::Invalid) files.SetAttributes(path, saved);
}

}  // namespace

std::u16string BuildNamePart(const RenameOptions& options) {
    std::u16string part;
    AppendPiece(part, options.prefix, options.spacer);
    AppendPiece(part, options.suffix, options.spacer);
    CleanNamePart(part);
    return part;
}

std::u16string MapExtension(std::u16string_view extension, const std::vector<ExtensionMapping>& map) {
    std::u16string result(extension);
    for (const ExtensionMapping& row : map) {
        if (!row.checked) continue;
        if (!result.empty() && result.front() == u'.' && EqualIgnoringAsciiCase(result.substr(1), row.from))
            result = u"." + row.to;
    }
    return result;
}

int RunRename(FileTable& table, const std::vector<std::size_t>& rows, const RenameOptions& options,
              FileSystem& files, LocalOffset localOffset, RunProgress* progress) {
    Prepared prepared;
    if (options.fileNames) {
        prepared.namePart = BuildNamePart(options);
        prepared.numberWidth = NumberWidth(options.zerosText);
        prepared.number = ParseSettingsDecimal(options.offsetText);
    }
    if (options.extensions) prepared.map = CleanedMap(options.extensionMap);
    const bool renames = options.fileNames || options.extensions;

    int failures = 0;
    std::size_t done = 0;
    for (const std::size_t index : rows) {
        if (progress) progress->Advance(done++, rows.size());
        if (index >= table.size()) continue;
        FileRow& row = table[index];
        const std::u16string oldPath = CurrentPath(row);
        const std::uint32_t saved = files.GetAttributes(oldPath);
        files.SetAttributes(oldPath, FileAttribute::Normal);  // lets a read-only file be opened for writing
        const NameSplit old = SplitExtension(row.name);

        std::u16string extension(old.extension);
        FileTimes times;
        {
            const std::unique_ptr<OpenFile> file = files.OpenForWrite(oldPath);
            if (!file) {
                PutBack(files, oldPath, saved);
                ++prepared.number;
                continue;
            }
            if (options.extensions) extension = MapExtension(extension, prepared.map);
            if (options.extensionUppercase) ToAsciiUpper(extension);
            if (options.extensionLowercase) ToAsciiLower(extension);
            if (options.setDates) {
                const std::uint64_t time = options.fileTime;
                file->WriteTimes(options.setCreated ? &time : nullptr, options.setAccessed ? &time : nullptr,
                                 options.setModified ? &time : nullptr);
            }
            times = file->ReadTimes();
        }

        if (renames) {
            std::u16string newName = NewName(options, prepared, old, extension);
            const std::u16string newPath = JoinPath(row.folderText(), newName);
            // A name that stays as it is needs no move: the platforms disagree
            // about whether moving a file onto itself succeeds.
            const bool moved = newPath.size() <= MaximumNewPathUnits &&
                               (newPath == oldPath || files.Move(oldPath, newPath) == MoveOutcome::Moved);
            if (!moved) {
                ++failures;
                PutBack(files, oldPath, saved);
                continue;
            }
            row.name = std::move(newName);
        }
        WriteDates(row, times, localOffset);

        const std::u16string currentPath = CurrentPath(row);
        if (options.setAttributes)
            files.SetAttributes(currentPath, options.attributes);
        else
            PutBack(files, currentPath, saved);
        const std::uint32_t now = files.GetAttributes(currentPath);
        if (now != FileAttribute::Invalid) row.attributes = FormatAttributeLetters(now);
        ++prepared.number;
    }
    if (progress) progress->Advance(done, rows.size());
    return failures;
}

}  // namespace qm
