// Start's check of every name before a run: it finds the name that cannot be
// made wherever it lies, counts the names tried, and stops between slices.
#include <gtest/gtest.h>

#include "core/run/names_of_run_check.h"

namespace qm {
namespace {

struct Counting : RunProgress {
    explicit Counting(std::size_t stopAfter) : stopAfter(stopAfter) {}
    void Advance(std::size_t done, std::size_t total) override { last = done, of = total; }
    bool StopRequested() override { return last >= stopAfter; }
    std::size_t stopAfter, last = 0, of = 0;
};

TEST(NamesOfRunCheck, FindsTheNameThatCannotBeMadeCountsAndStopsBetweenSlices) {
    FileTable table(1000);
    for (std::size_t i = 0; i < table.size(); ++i) table[i].name = u"b" + std::u16string(i % 7, u'a') + u".txt";
    table[900].name = std::u16string(200, u'a') + u".txt";  // backtracks without end
    RenameOptions options;
    options.fileNames = options.keepName = true;
    options.findReplace = {u"(a+)+b", u"x", true, false};
    // A plan remembers a name found too complex: each check gets its own.
    std::vector<std::size_t> rows = TakingPartRows(table.size(), {});

    Counting all(table.size() + 1);
    const NameCheck found = CheckNamesOfRun(table, rows, PlanNames(options), &all);
    EXPECT_EQ(found.problem, NameProblem::TooComplex);
    EXPECT_NE(found.message.find(table[900].name.substr(0, 200)), std::u16string::npos) << "named";
    EXPECT_EQ(all.of, table.size());
    EXPECT_LE(all.last, 900u);

    Counting stop(100);
    EXPECT_EQ(CheckNamesOfRun(table, rows, PlanNames(options), &stop).problem, NameProblem::None) << "stopped before row 900";
    EXPECT_GE(stop.last, 100u);
    EXPECT_LT(stop.last, 900u) << "between slices, not at the end";

    rows.erase(rows.begin() + 900);
    Counting rest(table.size() + 1);
    EXPECT_EQ(CheckNamesOfRun(table, rows, PlanNames(options), &rest).problem, NameProblem::None);
    EXPECT_EQ(rest.last, rows.size()) << "every name tried";
    options.findReplace.find = u"(a";
    EXPECT_EQ(CheckNamesOfRun(table, {}, PlanNames(options)).problem, NameProblem::InvalidPattern) << "with no rows too";
}

}  // namespace
}  // namespace qm
