// Arbitrary bytes as a run journal (of any version, with the steps of a run): reading must never
// crash, hang or overrun; a journal with a problem yields no row; one without
// names only what a run could have made, and survives being written (in the
// present version) and read again unchanged, identities included.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "core/run/journal_rows.h"
#include "core/run/run_journal.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const qm::JournalReading first = qm::ReadRunJournal(std::span<const std::uint8_t>(data, size));
    if (first.problem != qm::JournalProblem::None) {
        Require(first.rows.empty() && first.line > 0 && !qm::JournalProblemText(first).empty());
        return 0;
    }
    Require(first.rows.size() == first.plannedNames.size());
    for (const qm::FileRow& row : first.rows) {
        const std::u16string_view folder = row.folderText();
        Require(folder.size() >= 2 && (folder[1] == u':' || folder.starts_with(u"\\\\")));
        for (const std::u16string_view name : {std::u16string_view(row.name), std::u16string_view(row.originalName)})
            Require(!name.empty() && name != u"." && name != u".." && name.find(u'\\') == std::u16string_view::npos);
    }
    std::vector<qm::JournalEntry> entries;
    for (std::size_t i = 0; i < first.rows.size(); ++i)
        entries.push_back({&first.rows[i], first.plannedNames[i], first.createdGiven[i]});
    const std::string text = qm::FormatRunJournal(first.header, entries);
    const qm::JournalReading second =
        qm::ReadRunJournal({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    Require(second.problem == qm::JournalProblem::None);
    Require(second.header.underWay == first.header.underWay && second.header.startedAt == first.header.startedAt &&
            second.version == qm::JournalVersion);
    Require(second.rows.size() == first.rows.size());
    for (std::size_t i = 0; i < first.rows.size(); ++i) {
        Require(qm::SameTexts(first.rows[i], second.rows[i]));
        // An index of version 2 came without its creation time, which the present version always holds.
        Require(first.rows[i].identity == second.rows[i].identity || !first.rows[i].identity.creationKnown);
        Require(first.plannedNames[i] == second.plannedNames[i]);
        Require(first.createdGiven[i] == second.createdGiven[i]);
    }
    return 0;
}
