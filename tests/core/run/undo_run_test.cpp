#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

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
        f.table[1].attributes = f.table[1].originalAttributes = KeptAttributes(0);
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
        EXPECT_EQ(ColumnText(f.table[1], FileColumn::Attributes, 0).view(), u"");
        const FileTimes restored = f.Entry(u"a.txt").times;
        // The texts keep milliseconds: what is below them comes back as zero.
        EXPECT_EQ(restored.created, f.times.created);
        EXPECT_EQ(restored.written, f.times.written);
        EXPECT_EQ(restored.accessed, f.times.accessed);
        for (int column = 1; column <= 3; ++column) EXPECT_EQ(ColumnText(f.table[0], column, 0), ColumnText(f.table[0], column + 6, 0));
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

// A file held open by another program (it can be neither opened nor moved)
// is skipped: its attributes are given back and every other row is undone;
// once it is free, a second undo restores it.
TEST(Undo, SkipsAFileItCannotOpenOrMoveAndCarriesOn) {
    FileTableFixture f;
    f.Add({u"a.txt", u"b.txt", u"c.txt", u"d.txt"}, 0x21);
    f.Run(EverythingOptions());
    f.files.Find(JoinPath(Folder, u"Trip_008.txt"))->heldElsewhere = true;
    UndoReport report = f.Undo();
    EXPECT_EQ(report.skipped, 1u);
    EXPECT_EQ(report.firstSkipped, JoinPath(Folder, u"Trip_008.txt"));
    EXPECT_EQ(report.notRestored, 1u);
    ASSERT_EQ(f.Names(), (std::vector<std::u16string>{u"a.txt", u"Trip_008.txt", u"c.txt", u"d.txt"}));
    EXPECT_EQ(f.Entry(u"Trip_008.txt").attributes, 0x6u) << "not left cleared: the attributes its row shows";
    EXPECT_EQ(f.Entry(u"Trip_008.txt").times.written, At(2024, 1, 5, 14, 30));
    for (const char16_t* name : {u"a.txt", u"c.txt", u"d.txt"}) {
        EXPECT_EQ(f.Entry(name).attributes, 0x21u) << "the undo carries on past it";
        EXPECT_EQ(f.Entry(name).times.written, f.times.written);
    }

    f.files.Find(JoinPath(Folder, u"Trip_008.txt"))->heldElsewhere = false;
    report = f.Undo();
    EXPECT_EQ(report.skipped, 0u);
    EXPECT_EQ(report.notRestored, 0u);
    EXPECT_EQ(f.Entry(u"b.txt").attributes, 0x21u);
    EXPECT_EQ(f.Entry(u"b.txt").times.written, f.times.written);
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
    AppendFileRow(table, std::make_shared<const std::u16string>(Folder), u"a.txt", files);
    RunRename(table, {0}, EverythingOptions(), files, 0);
    files.armed = true;
    UndoRename(table, {0}, files);
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
    EXPECT_EQ(report.skipped, 0u);
    const MemoryFileSystem::Entry& other = f.Entry(u"a.txt");
    EXPECT_EQ(other.content, u"stranger");
    EXPECT_EQ(other.times.created, 1u);
    EXPECT_EQ(other.attributes, 0x20u);
    EXPECT_EQ(f.table[0].name, u"Trip_007.txt");
    EXPECT_EQ(f.Entry(u"Trip_007.txt").attributes, 0x6u) << "our file keeps the attributes its row shows";
    EXPECT_EQ(f.table[1].name, u"b.txt") << "the undo goes on with the next row";
    EXPECT_EQ(f.Entry(u"b.txt").attributes, 0x21u);
}

// Whatever sits at a row's name after the run and is not the file the run
// renamed is never moved, dated or re-attributed: a stranger that took the
// deleted file's index (as ext4 hands it on), a folder, the same names on
// another memory card, and on FAT a file of the same size made anew or one of
// another size with the same creation time. The rest is restored.
TEST(Undo, LeavesAnythingButTheRowsOwnFileAlone) {
    const FileTimes strangerTimes{At(2030, 1, 2, 3, 4, 6), At(2030, 2, 3, 4), At(2030, 3, 4, 5)};
    const auto replaceBy = [&](std::u16string content, std::uint64_t created = 0) {
        return [=](FileTableFixture& f) {
            f.files.Remove(JoinPath(Folder, u"Trip_007.txt"));
            FileTimes times = strangerTimes;
            if (created) times.created = created;
            f.files.AddFile(JoinPath(Folder, u"Trip_007.txt"), times, 0x22, content);
        };
    };
    const struct Case {
        const char* what;
        bool fat;
        std::function<void(FileTableFixture&)> change;
        std::size_t notRestored;
    } cases[] = {
        {"a stranger with the old file's index", false, replaceBy(u"stranger"), 1},
        {"a folder", false,
         [](FileTableFixture& f) {
             f.files.Remove(JoinPath(Folder, u"Trip_007.txt"));
             f.files.AddFolder(JoinPath(Folder, u"Trip_007.txt"));
         },
         1},
        {"another card with the same files", false, [](FileTableFixture& f) { f.files.volumeSerial ^= 1; }, 2},
        {"FAT: a file of the same size made anew", true, replaceBy(u"a.txt"), 1},
        {"FAT: another size, the same creation time", true, replaceBy(u"a longer text", At(2024, 1, 5, 14, 30)), 1},
    };
    for (const Case& c : cases) {
        FileTableFixture f;
        f.files.fat = c.fat;
        f.files.reuseIndexes = true;
        f.Add({u"a.txt", u"b.txt"}, 0x21);
        ASSERT_EQ(f.Run(EverythingOptions()), 0) << c.what;
        c.change(f);
        const std::vector<const MemoryFileSystem::Entry*> files = f.files.Files();
        std::vector<MemoryFileSystem::Entry> before;
        for (const MemoryFileSystem::Entry* entry : files)
            if (entry->path.ends_with(u"Trip_007.txt")) before.push_back(*entry);
        if (!before.empty() && !c.fat && !std::string_view(c.what).starts_with("another")) {
            EXPECT_EQ(before[0].index, f.table[0].identity.id) << c.what << ": the stranger has the old index";
        }

        const UndoReport report = f.Undo();
        EXPECT_EQ(report.notTheFile, JoinPath(Folder, u"Trip_007.txt")) << c.what << ": not the row's own file";
        EXPECT_EQ(report.notRestored, c.notRestored) << c.what;
        EXPECT_EQ(f.table[0].name, u"Trip_007.txt") << c.what;
        const MemoryFileSystem::Entry* now = f.files.Find(JoinPath(Folder, u"Trip_007.txt"));
        ASSERT_NE(now, nullptr) << c.what;
        EXPECT_FALSE(f.OnDisk(u"a.txt")) << c.what;
        if (before.empty()) {
            EXPECT_TRUE(now->folder) << c.what;
        } else {
            EXPECT_EQ(now->content, before[0].content) << c.what;
            EXPECT_EQ(now->times.created, before[0].times.created) << c.what;
            EXPECT_EQ(now->times.written, before[0].times.written) << c.what;
            EXPECT_EQ(now->times.accessed, before[0].times.accessed) << c.what;
            EXPECT_EQ(now->attributes, before[0].attributes) << c.what;
        }
        EXPECT_EQ(f.OnDisk(u"b.txt"), c.notRestored == 1) << c.what << ": the rest is restored";
    }
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
