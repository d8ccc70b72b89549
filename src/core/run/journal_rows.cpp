#include "core/run/journal_rows.h"

#include <functional>
#include <unordered_map>
#include <unordered_set>

#include "core/run/run_journal.h"
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

// A FAT file's creation time as read back, against the time that was
// written: FAT keeps it to 10 ms, and older FAT drivers to 2 s.
constexpr std::uint64_t CreationTimeSlack = 2 * 10'000'000ull;

bool NearTime(std::uint64_t a, std::uint64_t b, std::uint64_t slack) { return (a > b ? a - b : b - a) <= slack; }

// Whether the file found is the row's: the same id, and the creation time the
// row holds, or, for the file in hand, one that the run (`given`) or an undo
// (the original one) was writing when it was cut short. A file the run never
// reached has the creation time the row holds: on FAT, files of one size
// given one time would fit each other's rows.
bool IsRowsFile(const FileRow& row, const FileIdentity& found, std::uint64_t given, bool inHand = true) {
    if (IsSameFile(row.identity, found)) return true;
    if (!inHand) return false;
    if (!HasSameId(row.identity, found)) return false;
    const std::uint64_t slack = row.identity.kind == FileIdentity::Kind::SizeAndCreation ? CreationTimeSlack : 0;
    if (given != 0 && NearTime(found.created, given, slack)) return true;
    return row.originallyCreated != NoTime && NearTime(found.created, row.originallyCreated, slack);
}

// What the recovered rows of one file are found by.
std::uint64_t IdentityKey(const FileIdentity& identity) {
    return identity.volume ^ (identity.kind == FileIdentity::Kind::SizeAndCreation ? identity.id * 31
                                                                                   : identity.id ^ identity.idHigh);
}

std::size_t HashOfTexts(const FileRow& row) {
    std::size_t hash = 0;
    for (int column = 0; column < FileColumn::Count; ++column)
        hash = hash * 1'000'003u ^ std::hash<std::u16string_view>{}(ColumnText(row, column, 0).view());
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

RecoveredRows RecoverInterruptedRows(JournalReading& journal, FileSystem& files) {
    FileTable& rows = journal.rows;
    RecoveredRows recovered;
    recovered.outcomes.assign(rows.size(), RunRowOutcome::Done);
    FolderNames folders(files);
    std::unordered_multimap<std::uint64_t, std::size_t> found;  // rows whose files were found, by IdentityKey
    std::vector<std::size_t> lost;
    const std::u16string none;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        FileRow& row = rows[i];
        const std::u16string& planned = i < journal.plannedNames.size() ? journal.plannedNames[i] : none;
        const std::uint64_t given = i < journal.createdGiven.size() ? journal.createdGiven[i] : 0;
        const bool hasPlan = !planned.empty() && planned != row.name;
        if (!row.identity.known()) {
            if (hasPlan && TakesPlannedName(row, planned, folders)) row.name = planned;
            continue;
        }
        if (row.identity.kind == FileIdentity::Kind::Undecided) {
            recovered.outcomes[i] = RunRowOutcome::TwoFilesFit;
            continue;
        }
        // A version-2 journal recorded no steps: every row is decided by identity.
        const RowProgress progress =
            journal.version < 3 ? RowProgress::InHand : i < journal.progress.size() ? journal.progress[i]
                                                                                     : RowProgress::NotReached;
        FileIdentity atName;
        bool fits = false;
        const std::u16string& aside = i < journal.asideNames.size() ? journal.asideNames[i] : none;
        if (progress == RowProgress::InHand && (hasPlan || !aside.empty())) {
            const FileIdentity atCurrent = files.ReadIdentity(CurrentPath(row));
            const bool current = IsRowsFile(row, atCurrent, given);
            // Two spellings of one name lead to the same file: the folder tells which it has.
            const bool oneName = hasPlan && SameFile(planned, row.name);
            FileIdentity atPlanned = atCurrent;
            bool plannedHolds = false;
            if (hasPlan) {
                if (!oneName) atPlanned = files.ReadIdentity(JoinPath(row.folderText(), planned));
                plannedHolds = IsRowsFile(row, atPlanned, given);
                if (oneName && plannedHolds) {
                    const std::u16string spelled(WithoutTrailingDotsAndBlanks(planned));
                    plannedHolds = folders.Of(row.folderText()).exact.contains(spelled);
                }
            }
            // A move of a cycle of names was going through a temporary name.
            const std::u16string asidePath = aside.empty() ? std::u16string() : JoinPath(row.folderText(), aside);
            const FileIdentity atAside = aside.empty() ? FileIdentity{} : files.ReadIdentity(asidePath);
            const bool asideHolds = !aside.empty() && IsRowsFile(row, atAside, given);
            std::vector<std::u16string> fitting;
            if (current && !(oneName && plannedHolds)) fitting.push_back(CurrentPath(row));
            if (plannedHolds) fitting.push_back(JoinPath(row.folderText(), planned));
            if (asideHolds) fitting.push_back(asidePath);
            if (fitting.size() > 1) {
                // Never a guess: the row is left out of every later undo.
                recovered.outcomes[i] = RunRowOutcome::TwoFilesFit;
                recovered.twoFit.push_back({i, fitting[0], fitting[1]});
                row.identity = FileIdentity{FileIdentity::Kind::Undecided};
                continue;
            }
            fits = !fitting.empty();
            atName = atCurrent;
            if (plannedHolds) {
                row.name = planned;
                atName = atPlanned;
            } else if (asideHolds) {
                row.name = aside;
                atName = atAside;
            }
        } else {
            if (progress == RowProgress::Moved && hasPlan) row.name = planned;
            atName = files.ReadIdentity(CurrentPath(row));
            fits = IsRowsFile(row, atName, given, progress == RowProgress::InHand);
            // Steps are not flushed: after a power cut the last ones may be
            // missing, and a file that is not at its name may be at its planned
            // one. Only an id tells that: on FAT another file may fit.
            if (!fits && hasPlan && progress != RowProgress::Moved &&
                row.identity.kind != FileIdentity::Kind::SizeAndCreation) {
                const FileIdentity atPlanned = files.ReadIdentity(JoinPath(row.folderText(), planned));
                if (IsRowsFile(row, atPlanned, given)) {
                    row.name = planned;
                    atName = atPlanned;
                    fits = true;
                }
            }
        }
        if (!fits) {
            lost.push_back(i);
            continue;
        }
        row.identity = atName;  // with the creation time it has now
        found.emplace(IdentityKey(row.identity), i);
    }
    for (const std::size_t i : lost) {
        bool listedTwice = false;
        const auto [first, last] = found.equal_range(IdentityKey(rows[i].identity));
        // Another row holds the same file now (only a message hangs on it): on
        // FAT, by its size and a creation time it may have had.
        for (auto it = first; it != last && !listedTwice; ++it)
            listedTwice = rows[i].identity.kind == FileIdentity::Kind::SizeAndCreation
                              ? IsRowsFile(rows[i], rows[it->second].identity, journal.createdGiven[i])
                              : HasSameId(rows[i].identity, rows[it->second].identity);
        recovered.outcomes[i] = listedTwice ? RunRowOutcome::MovedThisRun : RunRowOutcome::NotFound;
        recovered.notFound += !listedTwice;
    }
    return recovered;
}

bool SameTexts(const FileRow& a, const FileRow& b) {
    for (int column = 0; column < FileColumn::Count; ++column)
        if (ColumnText(a, column, 0).view() != ColumnText(b, column, 0).view()) return false;
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
