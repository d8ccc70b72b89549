// Arbitrary bytes as a run journal: reading must never crash, hang or overrun;
// a journal with a problem yields no row, and one without survives being
// written and read again unchanged.
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
    std::vector<qm::JournalEntry> entries;
    for (std::size_t i = 0; i < first.rows.size(); ++i) entries.push_back({&first.rows[i], first.plannedNames[i]});
    const std::string text = qm::FormatRunJournal(first.header, entries);
    const qm::JournalReading second =
        qm::ReadRunJournal({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    Require(second.problem == qm::JournalProblem::None);
    Require(second.header.underWay == first.header.underWay && second.header.startedAt == first.header.startedAt);
    Require(second.rows.size() == first.rows.size());
    for (std::size_t i = 0; i < first.rows.size(); ++i) {
        Require(qm::SameTexts(first.rows[i], second.rows[i]));
        Require(first.plannedNames[i] == second.plannedNames[i]);
    }
    return 0;
}
