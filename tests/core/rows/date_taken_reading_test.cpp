// The dates taken read after the rows are in: each date reaches the row of its
// own file, though the rows were reordered and cut meanwhile and a file renamed
// before its turn; files without a date, or that cannot be opened, end up
// without one; no file is left open.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>

#include "core/rows/add_files.h"
#include "core/rows/date_taken_reading.h"
#include "core/rows/memory_file_system.h"
#include "instant_at.h"
#include "photo_digitized_jpg.h"

namespace qm {
namespace {

const std::u16string Folder = u"D:\\trip";

// The stored JPEG (taken 2035:05:21 15:02:54 at -03:45) with another date in its Exif.
std::string PhotoTaken(const std::string& exifDate) {
    std::string bytes(test::digitized_jpg.begin(), test::digitized_jpg.end());
    bytes.replace(bytes.find("2035:05:21 15:02:54"), exifDate.size(), exifDate);
    return bytes;
}

const FileRow& RowNamed(const FileTable& rows, std::u16string_view name) {
    return *std::find_if(rows.begin(), rows.end(), [&](const FileRow& row) { return row.name == name; });
}

TEST(DateTakenReading, EachDateReachesItsOwnRowWhateverHappenedToTheRows) {
    auto files = std::make_shared<MemoryFileSystem>();
    const FileTimes times{At(2019, 1, 1, 10), At(2019, 1, 2, 10), At(2019, 1, 3, 10)};
    const struct {
        std::u16string name;
        std::string bytes;
    } made[] = {{u"a.jpg", PhotoTaken("2021:12:24 18:00:00")}, {u"b.txt", "no photo"},
                {u"c.jpg", "x"},                                {u"d.jpg", PhotoTaken("2022:07:08 10:11:12")},
                {u"e.jpg", PhotoTaken("2023:05:31 09:46:40")},  {u"f.jpg", PhotoTaken("2020:02:03 04:05:06")}};
    FileTable rows;
    const FolderText folder = std::make_shared<const std::u16string>(Folder);
    for (const auto& m : made) {
        files->AddFile(JoinPath(Folder, m.name), times).bytes = m.bytes;
        ASSERT_TRUE(AppendFileRow(rows, folder, m.name, *files));
    }
    for (const FileRow& row : rows) {
        EXPECT_EQ(row.takenTicket, row.name == u"b.txt" ? 0u : TakenUnread) << "only a photo's name waits";
        EXPECT_FALSE(row.taken);
    }
    files->Find(JoinPath(Folder, u"e.jpg"))->heldElsewhere = true;
    // f.jpg renamed (as a run does) before its date was read.
    ASSERT_EQ(files->Move(JoinPath(Folder, u"f.jpg"), JoinPath(Folder, u"F_001.jpg")), MoveOutcome::Moved);
    rows[5].name = u"F_001.jpg";

    std::atomic<int> told{0};
    DateTakenReading reading(files, [&] { ++told; });
    EXPECT_EQ(reading.Schedule(rows, std::vector<std::size_t>{3, 1}), 1u) << "d.jpg first; b.txt waits for nothing";
    EXPECT_TRUE(reading.WaitUntilRead(5, std::chrono::seconds(20)));
    EXPECT_EQ(reading.ReadSinceSchedule(), 5u);
    EXPECT_GE(told.load(), 1);

    // Before the dates are taken in: the rows sorted the other way and a.jpg's row removed.
    std::reverse(rows.begin(), rows.end());
    std::vector<bool> removed(rows.size(), false);
    removed[5] = true;
    rows.Remove(removed);
    const std::vector<std::size_t> applied = reading.Apply(rows);
    EXPECT_EQ(applied.size(), 4u) << "c, d, e and F_001; a.jpg's date has no row";

    // The stored date's zone is -03:45.
    const struct {
        std::u16string name;
        std::uint64_t utc;  // 0: none
    } expected[] = {{u"b.txt", 0}, {u"c.jpg", 0}, {u"d.jpg", At(2022, 7, 8, 13, 56, 12)}, {u"e.jpg", 0},
                    {u"F_001.jpg", At(2020, 2, 3, 7, 50, 6)}};
    ASSERT_EQ(rows.size(), std::size(expected));
    for (const auto& e : expected) {
        const FileRow& row = RowNamed(rows, e.name);
        EXPECT_EQ(row.takenTicket, 0u) << std::string(e.name.begin(), e.name.end());
        ASSERT_EQ(row.taken.has_value(), e.utc != 0) << std::string(e.name.begin(), e.name.end());
        if (!row.taken) {
            EXPECT_TRUE(ColumnText(row, FileColumn::Taken, 0).view().empty());
            continue;
        }
        EXPECT_EQ(TakenInstantUtc(*row.taken, 0), e.utc);
        // Shown as the camera's clock read: 3 h 45 min behind the instant.
        constexpr std::uint64_t zone = (3 * 60 + 45) * 60 * 10'000'000ull;
        EXPECT_EQ(ColumnText(row, FileColumn::Taken, 0).view(), FormatListDate(e.utc - zone, 0).view());
    }
    for (const MemoryFileSystem::Entry* entry : files->Files()) {
        EXPECT_EQ(entry->openCount, 0);
        EXPECT_EQ(entry->times.accessed, times.accessed);
    }
    EXPECT_EQ(reading.Schedule(rows), 0u);
    EXPECT_TRUE(reading.Apply(rows).empty()) << "nothing is read twice";
}

}  // namespace
}  // namespace qm
