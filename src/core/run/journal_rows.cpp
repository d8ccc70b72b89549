#include "core/run/journal_rows.h"

#include <functional>
#include <unordered_map>
#include <unordered_set>

#include "core/run/run_prediction.h"
#include "core/text/name_text.h"

namespace qm {

namespace {

std::u16string Folded(std::u16string_view name) {
    std::u16string folded(name);
    ToAsciiUpper(folded);
    return folded;
}

struct NamesOfFolder {
    std::unordered_set<std::u16string> exact;
    std::unordered_set<std::u16string> folded;
};

// Each folder listed once, when first asked about.
class FolderNames {
public:
    explicit FolderNames(FileSystem& files) : files_(files) {}
    const NamesOfFolder& Of(std::u16string_view folderText) {
        const std::u16string folder(folderText);
        auto found = listings_.find(folder);
        if (found == listings_.end()) {
            NamesOfFolder listing;
            for (std::u16string& name : files_.ListNames(folder)) {
                listing.folded.insert(Folded(name));
                listing.exact.insert(std::move(name));
            }
            found = listings_.emplace(folder, std::move(listing)).first;
        }
        return found->second;
    }

private:
    FileSystem& files_;
    std::unordered_map<std::u16string, NamesOfFolder> listings_;
};

// The old way, for a row without an identity: by the names in its folder.
bool TakesPlannedName(const FileRow& row, const std::u16string& planned, FolderNames& folders) {
    const NamesOfFolder& listing = folders.Of(row.folderText());
    const bool caseOnly = Folded(planned) == Folded(row.name);
    const bool goneFromCurrent =
        caseOnly ? !listing.exact.contains(row.name) : !listing.folded.contains(Folded(row.name));
    const bool atPlanned = caseOnly ? listing.exact.contains(planned) : listing.folded.contains(Folded(planned));
    return goneFromCurrent && atPlanned;
}

// A FAT file's creation time as read back: FAT keeps it to 10 ms, and older
// FAT drivers to 2 s.
constexpr std::uint64_t CreationTimeSlack = 2 * 10'000'000ull;

bool NearTime(std::uint64_t a, std::uint64_t b) { return (a > b ? a - b : b - a) <= CreationTimeSlack; }

// Whether the file found is the row's. A file told apart by its size and
// creation time may have been given a creation time by the run or the undo
// that was cut short.
bool IsRowsFile(const FileRow& row, const FileIdentity& found, std::uint64_t createdSet, LocalOffset localOffset) {
    if (!found.known()) return false;
    if (IsSameFile(row.identity, found)) return true;
    if (row.identity.kind != FileIdentity::Kind::SizeAndCreation) return false;
    if (found.volume != row.identity.volume || found.size != row.identity.size) return false;
    if (NearTime(found.created, row.identity.created) || (createdSet != 0 && NearTime(found.created, createdSet)))
        return true;
    const std::optional<std::uint64_t> original = ParseDateText(row.originallyCreated.view(), localOffset);
    return original && NearTime(found.created, *original);
}

// What the recovered rows of one file are found by.
std::uint64_t IdentityKey(const FileIdentity& identity) {
    return identity.volume ^ (identity.kind == FileIdentity::Kind::Index ? identity.index : identity.size * 31);
}

std::size_t HashOfTexts(const FileRow& row) {
    std::size_t hash = 0;
    for (int column = 0; column < FileColumn::Count; ++column)
        hash = hash * 1'000'003u ^ std::hash<std::u16string_view>{}(ColumnText(row, column));
    return hash;
}

}  // namespace

std::size_t ApplyPlannedNames(FileTable& rows, const std::vector<std::u16string>& plannedNames, FileSystem& files) {
    FolderNames folders(files);
    std::size_t taken = 0;
    for (std::size_t i = 0; i < rows.size() && i < plannedNames.size(); ++i) {
        FileRow& row = rows[i];
        const std::u16string& planned = plannedNames[i];
        if (planned.empty() || planned == row.name) continue;
        if (TakesPlannedName(row, planned, folders)) {
            row.name = planned;
            ++taken;
        }
    }
    return taken;
}

RecoveredRows RecoverInterruptedRows(FileTable& rows, const std::vector<std::u16string>& plannedNames,
                                     std::uint64_t createdSet, FileSystem& files, LocalOffset localOffset) {
    RecoveredRows recovered;
    recovered.outcomes.assign(rows.size(), RunRowOutcome::Done);
    FolderNames folders(files);
    std::unordered_multimap<std::uint64_t, std::size_t> found;  // rows whose files were found, by IdentityKey
    std::vector<std::size_t> lost;
    const std::u16string none;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        FileRow& row = rows[i];
        const std::u16string& planned = i < plannedNames.size() ? plannedNames[i] : none;
        const bool hasPlan = !planned.empty() && planned != row.name;
        if (!row.identity.known()) {
            if (hasPlan && TakesPlannedName(row, planned, folders)) row.name = planned;
            continue;
        }
        const FileIdentity atCurrent = files.ReadIdentity(CurrentPath(row));
        const bool current = IsRowsFile(row, atCurrent, createdSet, localOffset);
        bool plannedHolds = false;
        FileIdentity atPlanned;
        // Two spellings of one name lead to the same file: the folder tells which it has.
        const bool oneName = hasPlan && SameFile(planned, row.name);
        if (hasPlan && (!current || oneName)) {
            atPlanned = oneName ? atCurrent : files.ReadIdentity(JoinPath(row.folderText(), planned));
            plannedHolds = IsRowsFile(row, atPlanned, createdSet, localOffset);
            if (oneName && plannedHolds) {
                const std::u16string spelled(WithoutTrailingDotsAndBlanks(planned));
                plannedHolds = folders.Of(row.folderText()).exact.contains(spelled);
            }
        }
        if (!current && !plannedHolds) {
            lost.push_back(i);
            continue;
        }
        if (plannedHolds) row.name = planned;
        // A FAT file's creation time may have been changed by the run: the row keeps it as it is now.
        if (row.identity.kind == FileIdentity::Kind::SizeAndCreation)
            row.identity.created = (plannedHolds ? atPlanned : atCurrent).created;
        found.emplace(IdentityKey(row.identity), i);
    }
    for (const std::size_t i : lost) {
        bool listedTwice = false;
        const auto [first, last] = found.equal_range(IdentityKey(rows[i].identity));
        for (auto it = first; it != last && !listedTwice; ++it)
            listedTwice = IsSameFile(rows[i].identity, rows[it->second].identity) ||
                          IsRowsFile(rows[i], rows[it->second].identity, createdSet, localOffset);
        recovered.outcomes[i] = listedTwice ? RunRowOutcome::MovedThisRun : RunRowOutcome::NotFound;
        recovered.notFound += !listedTwice;
    }
    return recovered;
}

bool SameTexts(const FileRow& a, const FileRow& b) {
    for (int column = 0; column < FileColumn::Count; ++column)
        if (ColumnText(a, column) != ColumnText(b, column)) return false;
    return true;
}

bool SameKeptName(std::u16string_view a, std::u16string_view b) {
    return WithoutTrailingDotsAndBlanks(a) == WithoutTrailingDotsAndBlanks(b);
}

std::vector<std::size_t> MatchJournalRows(const FileTable& journalRows, const FileTable& table,
                                          const std::vector<std::size_t>& candidates) {
    std::unordered_multimap<std::size_t, std::size_t> byHash;
    byHash.reserve(candidates.size());
    for (const std::size_t index : candidates)
        if (index < table.size()) byHash.emplace(HashOfTexts(table[index]), index);
    std::vector<std::size_t> matches(journalRows.size(), NoMatch);
    for (std::size_t i = 0; i < journalRows.size(); ++i) {
        auto [first, last] = byHash.equal_range(HashOfTexts(journalRows[i]));
        for (auto it = first; it != last; ++it) {
            if (!SameTexts(journalRows[i], table[it->second]) ||
                !(journalRows[i].identity == table[it->second].identity))
                continue;
            matches[i] = it->second;
            byHash.erase(it);
            break;
        }
    }
    return matches;
}

bool AllAtOriginalNames(const FileTable& rows) {
    for (const FileRow& row : rows)
        if (!SameKeptName(row.name, row.originalName)) return false;
    return true;
}

}  // namespace qm
