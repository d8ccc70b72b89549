// Times kept as instants: whatever offset the rows were made, shown and run
// under, and whatever offset is in force when the journal is read back and
// undone, every file gets back its times to the 100 ns.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "core/run/run_journal.h"
#include "file_table_fixture.h"

namespace qm::test {
namespace {

TEST(TimeZoneProperty, EveryInstantComesBackUnderAnyOffset) {
    std::mt19937_64 random(33);
    // 1602 to 9998, at any 100 ns, so that any shift of up to 14 h stays in the calendar.
    const std::uint64_t first = At(1602, 1, 1, 0), last = At(9998, 12, 31, 0);
    const auto instant = [&] { return first + random() % (last - first); };
    const auto offset = [&] {
        return static_cast<LocalOffset>(static_cast<std::int64_t>(random() % (28 * 4 + 1)) - 14 * 4) * kTicksPerHour / 4;
    };
    std::size_t lost = 0, shown = 0;
    for (int trial = 0; trial < 200; ++trial) {
        FileTableFixture f;
        const LocalOffset made = offset(), read = offset();
        std::vector<FileTimes> before;
        for (int i = 0; i < 5; ++i) {
            const std::u16string name = u"f" + std::u16string(1, static_cast<char16_t>(u'a' + i)) + u".txt";
            before.push_back({instant(), instant(), instant()});
            f.files.AddFile(JoinPath(Folder, name), before.back(), random() % 2 ? 0x21 : 0x20, name);
            ASSERT_TRUE(AppendFileRow(f.table, f.folder, name, f.files));
        }
        // The texts are the instants as local time with the offset they are shown under.
        const LocalOffset showing = offset();
        for (const FileRow& row : f.table)
            for (const auto& [column, time] : {std::pair{FileColumn::Created, row.created},
                                               std::pair{FileColumn::Modified, row.modified},
                                               std::pair{FileColumn::OriginallyAccessed, row.originallyAccessed}}) {
                const CellText text = ColumnText(row, column, showing);
                EXPECT_EQ(text, FormatListDate(time, showing).view());
                shown += ParseDateText(text, showing) != time - time % 10'000;
            }

        RenameOptions options = TripOptions();
        options.setDates = options.setCreated = options.setModified = options.setAccessed = true;
        options.fileTime = instant();
        options.setAttributes = true;
        options.attributes = 0x6;
        ASSERT_EQ(RunRename(f.table, TakingPartRows(f.table.size(), {}), options, f.files, made), 0);
        std::vector<JournalEntry> entries;
        for (const FileRow& row : f.table) entries.push_back({&row, u"", 0});
        const std::string text = FormatRunJournal({false, 1}, entries);
        JournalReading journal = ReadRunJournal(
            {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, read);
        ASSERT_EQ(journal.problem, JournalProblem::None);
        std::vector<std::size_t> all(journal.rows.size());
        for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
        EXPECT_EQ(UndoRename(journal.rows, all, f.files).notRestored, 0u);
        for (std::size_t i = 0; i < before.size(); ++i) {
            const FileTimes& now = f.Entry(journal.rows[i].originalName).times;
            lost += now.created != before[i].created || now.written != before[i].written ||
                    now.accessed != before[i].accessed;
        }
    }
    EXPECT_EQ(shown, 0u) << "texts that do not read back as their instant to the millisecond";
    EXPECT_EQ(lost, 0u) << "files whose times did not come back to the 100 ns";
    std::printf("lost %zu\n", lost);
}

}  // namespace
}  // namespace qm::test
