// A run or an undo told to stop ends cleanly after any file: what it reached
// is done, the rest is as it was, and the next undo gives back everything.
#include <gtest/gtest.h>

#include <algorithm>

#include "file_table_fixture.h"

namespace qm::test {
namespace {

// Says "stop" from its (limit + 1)th question on.
struct StopAtQuestion : RunProgress {
    explicit StopAtQuestion(std::size_t limit) : limit(limit) {}
    void Advance(std::size_t done, std::size_t) override { lastDone = done; }
    bool StopRequested() override { return asked++ >= limit; }
    std::size_t limit, lastDone = 0, asked = 0;
};

bool Back(const FileRow& row) { return row.name == row.originalName; }

// Every stop of a run, then of the undo after it. Names shift down by one: in
// list order undo makes rows wait for names freed in a chain; reversed, not.
TEST(StopBetweenFiles, RunAndUndoEndAfterAnyFileAndTheNextUndoDoesTheRest) {
    for (std::size_t runLimit = 0; runLimit <= 5; ++runLimit) {
        for (const bool reversed : {false, true}) {
            for (std::size_t undoLimit = 0; undoLimit < 20; ++undoLimit) {
                FileTableFixture f;
                f.Add({u"Trip_008.txt", u"Trip_009.txt", u"Trip_010.txt", u"Trip_011.txt", u"Trip_012.txt"});
                StopAtQuestion runStop(runLimit);
                std::vector<RunRowOutcome> outcomes;
                EXPECT_EQ(RunRename(f.table, TakingPartRows(5, {}), TripOptions(), f.files, 0, &runStop, &outcomes), 0);
                EXPECT_EQ(runStop.lastDone, runLimit) << "the last count tells the rows done";
                EXPECT_EQ(outcomes.size(), runLimit);
                for (std::size_t row = 0; row < 5; ++row) EXPECT_EQ(Back(f.table[row]), row >= runLimit);

                if (reversed) std::reverse(f.table.begin(), f.table.end());
                StopAtQuestion undoStop(undoLimit);
                const UndoReport report = UndoRename(f.table, TakingPartRows(5, {}), f.files, &undoStop);
                EXPECT_EQ(report.stopRequested, undoStop.asked > undoLimit);
                if (reversed && runLimit == 5) {
                    EXPECT_EQ(std::count_if(f.table.begin(), f.table.end(), Back), std::min<long>(undoLimit, 5));
                    EXPECT_EQ(undoStop.lastDone, std::min<std::size_t>(undoLimit, 5));
                }
                // In list order the first four wait, the fifth frees a name and
                // the chain follows: asked before each file of it too.
                if (!reversed && runLimit == 5) {
                    EXPECT_EQ(std::count_if(f.table.begin(), f.table.end(), Back),
                              std::clamp<long>(static_cast<long>(undoLimit) - 4, 0, 5));
                }
                // Every row names its own file, none is lost or made; one more undo gives all back.
                for (const bool undone : {false, true}) {
                    ASSERT_EQ(f.files.Files().size(), 5u);
                    for (const FileRow& row : f.table) {
                        ASSERT_TRUE(f.OnDisk(row.name));
                        EXPECT_EQ(f.Entry(row.name).content, row.originalName);
                        EXPECT_TRUE(Back(row) || !undone);
                    }
                    EXPECT_EQ(undone ? 0u : f.Undo().notRestored, 0u);
                }
                if (!report.stopRequested) break;
            }
        }
    }
}

}  // namespace
}  // namespace qm::test
