#include "core/run/journal_rows.h"

#include <functional>
#include <unordered_map>
#include <unordered_set>

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

std::size_t HashOfTexts(const FileRow& row) {
    std::size_t hash = 0;
    for (int column = 0; column < FileColumn::Count; ++column)
        hash = hash * 1'000'003u ^ std::hash<std::u16string_view>{}(ColumnText(row, column));
    return hash;
}

}  // namespace

std::size_t ApplyPlannedNames(FileTable& rows, const std::vector<std::u16string>& plannedNames, FileSystem& files) {
    std::unordered_map<std::u16string, NamesOfFolder> listings;
    std::size_t taken = 0;
    for (std::size_t i = 0; i < rows.size() && i < plannedNames.size(); ++i) {
        FileRow& row = rows[i];
        const std::u16string& planned = plannedNames[i];
        if (planned.empty() || planned == row.name) continue;
        const std::u16string folder(row.folderText());
        auto found = listings.find(folder);
        if (found == listings.end()) {
            NamesOfFolder listing;
            for (std::u16string& name : files.ListNames(folder)) {
                listing.folded.insert(Folded(name));
                listing.exact.insert(std::move(name));
            }
            found = listings.emplace(folder, std::move(listing)).first;
        }
        const NamesOfFolder& listing = found->second;
        const bool caseOnly = Folded(planned) == Folded(row.name);
        const bool goneFromCurrent =
            caseOnly ? !listing.exact.contains(row.name) : !listing.folded.contains(Folded(row.name));
        const bool atPlanned = caseOnly ? listing.exact.contains(planned) : listing.folded.contains(Folded(planned));
        if (goneFromCurrent && atPlanned) {
            row.name = planned;
            ++taken;
        }
    }
    return taken;
}

bool SameTexts(const FileRow& a, const FileRow& b) {
    for (int column = 0; column < FileColumn::Count; ++column)
        if (ColumnText(a, column) != ColumnText(b, column)) return false;
    return true;
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
            if (!SameTexts(journalRows[i], table[it->second])) continue;
            matches[i] = it->second;
            byHash.erase(it);
            break;
        }
    }
    return matches;
}

bool AllAtOriginalNames(const FileTable& rows) {
    for (const FileRow& row : rows)
        if (row.name != row.originalName) return false;
    return true;
}

}  // namespace qm
