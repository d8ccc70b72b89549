#include <gtest/gtest.h>

#include <algorithm>

#include "file_table_fixture.h"

namespace qm::test {
namespace {

RenameOptions EverythingOptions() {
    RenameOptions options = TripOptions();
    options.setDates = options.setCreated = options.setModified = options.setAccessed = true;
    options.fileTime = At(2024, 1, 5, 14, 30);
    options.setAttributes = true;
    options.attributes = 0x6;
    return options;
}

TEST(Undo, RestoresNamesTimesAndAttributesAfterAnyNumberOfRuns) {
    // The last run leaves the files hidden and system, or read-only.
    for (const std::uint32_t left : {0x6u, 0x1u}) {
        FileTableFixture f;
        f.Add({u"a.txt", u"b.txt"}, 0x21);
        f.files.Find(JoinPath(Folder, u"b.txt"))->attributes = 0;
        f.table[1].attributes = f.table[1].originalAttributes = FormatAttributeLetters(0);
        f.Run(EverythingOptions());
        RenameOptions second = EverythingOptions();
        second.prefix.text = u"Again";
        second.attributes = left;
        f.Run(second);
        ASSERT_TRUE(f.OnDisk(u"Again_008.txt"));

        EXPECT_EQ(f.Undo().notRestored, 0u);
        f.Undo();  // a second undo changes nothing more
        EXPECT_EQ(f.table[0].name, u"a.txt");
        EXPECT_EQ(f.table[1].name, u"b.txt");
        EXPECT_EQ(f.Entry(u"a.txt").attributes, 0x21u);
        EXPECT_EQ(f.Entry(u"b.txt").attributes, 0u) << "empty letters mean no attributes";
        EXPECT_EQ(f.table[1].attributes.view(), u"");
        const FileTimes restored = f.Entry(u"a.txt").times;
        // The texts keep milliseconds: what is below them comes back as zero.
        EXPECT_EQ(restored.created, f.times.created);
        EXPECT_EQ(restored.written, f.times.written);
        EXPECT_EQ(restored.accessed, f.times.accessed);
        for (int column = 1; column <= 3; ++column) EXPECT_EQ(ColumnText(f.table[0], column), ColumnText(f.table[0], column + 6));
        EXPECT_EQ(f.files.Files().size(), 2u);
    }
}

TEST(Undo, OnlySelectedRows) {
    FileTableFixture f;
    f.Add({u"a.txt", u"b.txt", u"c.txt"});
    f.Run(TripOptions());
    EXPECT_EQ(f.Undo({1, 7}).notRestored, 0u) << "a row no longer in the list is not counted";
    EXPECT_EQ(f.Names(), (std::vector<std::u16string>{u"Trip_007.txt", u"b.txt", u"Trip_009.txt"}));
}

TEST(Undo, StopsAtTheFirstFileThatCannotBeOpenedAndGivesItsAttributesBack) {
    FileTableFixture f;
    f.Add({u"a.txt", u"b.txt", u"c.txt"}, 0x21);
    f.Run(EverythingOptions());
    f.files.Find(JoinPath(Folder, u"Trip_008.txt"))->heldElsewhere = true;  // cannot move, cannot open
    const UndoReport report = f.Undo();
    EXPECT_EQ(report.stoppedAt, JoinPath(Folder, u"Trip_008.txt")) << "the file where the undo stopped";
    EXPECT_EQ(report.notRestored, 2u) << "that row and the one below";
    EXPECT_EQ(f.Names(), (std::vector<std::u16string>{u"a.txt", u"Trip_008.txt", u"Trip_009.txt"}));
    EXPECT_EQ(f.Entry(u"a.txt").attributes, 0x21u);
    EXPECT_EQ(f.Entry(u"Trip_008.txt").attributes, 0x6u) << "not left cleared: the attributes its row shows";
    EXPECT_EQ(f.Entry(u"Trip_009.txt").times.written, At(2024, 1, 5, 14, 30)) << "rows below are not touched";
}

TEST(Undo, OpenFailingAfterTheMoveBackAlsoGivesTheAttributesBack) {
    // Another program opens the file the moment it has its old name again.
    struct HoldAfterMove : MemoryFileSystem {
        bool armed = false;
        MoveOutcome Move(const std::u16string& from, const std::u16string& to) override {
            const MoveOutcome outcome = MemoryFileSystem::Move(from, to);
            if (armed && outcome == MoveOutcome::Moved) Find(to)->heldElsewhere = true;
            return outcome;
        }
    } files;
    FileTable table;
    files.AddFile(JoinPath(Folder, u"a.txt"), {}, 0x21);
    AppendFileRow(table, std::make_shared<const std::u16string>(Folder), u"a.txt", files, 0);
    RunRename(table, {0}, EverythingOptions(), files, 0);
    files.armed = true;
    UndoRename(table, {0}, files, 0);
    EXPECT_EQ(table[0].name, u"a.txt");
    EXPECT_EQ(files.Find(JoinPath(Folder, u"a.txt"))->attributes, 0x6u) << "the attributes its row shows";
}

TEST(Undo, NeverTouchesAnotherFileThatTookTheOriginalName) {
    FileTableFixture f;
    f.Add({u"a.txt", u"b.txt"}, 0x21);
    f.Run(EverythingOptions());
    f.files.AddFile(JoinPath(Folder, u"a.txt"), {1, 2, 3}, 0x20, u"stranger");
    const UndoReport report = f.Undo();
    EXPECT_EQ(report.notRestored, 1u);
    EXPECT_EQ(report.stoppedAt, u"") << "a skipped row does not stop the undo";
    const MemoryFileSystem::Entry& other = f.Entry(u"a.txt");
    EXPECT_EQ(other.content, u"stranger");
    EXPECT_EQ(other.times.created, 1u);
    EXPECT_EQ(other.attributes, 0x20u);
    EXPECT_EQ(f.table[0].name, u"Trip_007.txt");
    EXPECT_EQ(f.Entry(u"Trip_007.txt").attributes, 0x6u) << "our file keeps the attributes its row shows";
    EXPECT_EQ(f.table[1].name, u"b.txt") << "the undo goes on with the next row";
    EXPECT_EQ(f.Entry(u"b.txt").attributes, 0x21u);
}

// Names shifted down by one (P_002 to P_006 renumbered from 1): each file's
// original name is held by the next file until that one has moved back. One
// undo gives everything back, in list order and in the reverse order.
TEST(Undo, NamesShiftedByOneComeBackInOnePress) {
    for (const bool reversed : {false, true}) {
        FileTableFixture f;
        f.Add({u"P_002.txt", u"P_003.txt", u"P_004.txt", u"P_005.txt", u"P_006.txt"}, 0x21);
        RenameOptions options = EverythingOptions();
        options.prefix.text = u"P";
        options.offsetText = u"1";
        ASSERT_EQ(f.Run(options), 0);
        ASSERT_TRUE(f.OnDisk(u"P_001.txt"));
        if (reversed) std::reverse(f.table.begin(), f.table.end());
        const UndoReport report = f.Undo();
        EXPECT_EQ(report.notRestored, 0u);
        for (const FileRow& row : f.table) {
            EXPECT_EQ(row.name, row.originalName);
            const MemoryFileSystem::Entry& entry = f.Entry(row.name);
            EXPECT_EQ(entry.content, row.name) << "each name holds its own file again";
            EXPECT_EQ(entry.attributes, 0x21u);
            EXPECT_EQ(entry.times.written, f.times.written);
        }
        EXPECT_FALSE(f.OnDisk(u"P_001.txt"));
    }
}

}  // namespace
}  // namespace qm::test
