// Adding paths from outside: the rows are a drop's rows, a path that cannot
// be added is skipped and the rest go on, and one message tells of them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/outside/outside_paths.h"
#include "file_table_fixture.h"

namespace qm {
namespace {

using test::FileTableFixture;
using test::Folder;

std::vector<std::u16string> Strings(const FileTable& table, int column) {
    std::vector<std::u16string> texts;
    for (const FileRow& row : table) texts.emplace_back(ColumnText(row, column, 0));
    return texts;
}

TEST(OutsidePaths, RowsAreThoseOfADropAndTheFailuresAreSkipped) {
    FileTableFixture dropped;  // adds as a drop does, row by row
    dropped.files.AddFolder(u"C:\\photos\\sub");
    dropped.Add({u"a.jpg", u"b.txt", u"c d.png"}, 0x21);
    dropped.files.Find(JoinPath(Folder, u"b.txt"))->heldElsewhere = true;  // in use meanwhile

    FileTable table;
    OutsideAddResult result;
    const std::vector<std::u16string> paths = {
        JoinPath(Folder, u"a.jpg"), JoinPath(Folder, u"missing.jpg"), JoinPath(Folder, u"sub"),
        JoinPath(Folder, u"b.txt"), JoinPath(Folder, u"c d.png"),     u"relative.txt",
        u"C:\\photos\\",            std::u16string(u"C:\\photos\\a.jpg\0x", 17)};
    AddOutsidePaths(table, paths, dropped.files, result);

    EXPECT_EQ(result.added, 2u);
    EXPECT_EQ(result.skipped, 6u);
    EXPECT_EQ(result.firstSkipped, (std::vector<std::u16string>{paths[1], paths[2], paths[3], paths[5], paths[6]}));
    ASSERT_EQ(table.size(), 2u);
    for (int column = 0; column < FileColumn::Count; ++column) {
        EXPECT_EQ(Strings(table, column)[0], ColumnText(dropped.table[0], column, 0)) << column;
        EXPECT_EQ(Strings(table, column)[1], ColumnText(dropped.table[2], column, 0)) << column;
    }
    EXPECT_EQ(table[0].folder, table[1].folder) << "rows of one folder share its text";
}

TEST(OutsidePaths, FoldersOfRootsAndTheLengthLimit) {
    MemoryFileSystem files;
    const std::u16string longName(260 - 3 - 4, u'n');
    const std::vector<std::u16string> paths = {u"C:\\root.txt", u"D:\\" + longName + u".txt",
                                               u"D:\\" + longName + u"x.txt"};
    for (const std::u16string& path : paths) files.AddFile(path);
    FileTable table;
    OutsideAddResult result;
    AddOutsidePaths(table, paths, files, result);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(Strings(table, FileColumn::Folder), (std::vector<std::u16string>{u"C:", u"D:"}));
    EXPECT_EQ(table[1].name.size(), longName.size() + 4);
    EXPECT_EQ(result.firstSkipped, (std::vector<std::u16string>{paths[2]})) << "261 units do not fit";
}

TEST(OutsidePaths, TheMessageCountsAllAndNamesTheFirstFive) {
    OutsideAddResult none;
    EXPECT_EQ(SkippedPathsMessage(none), u"");

    OutsideAddResult one;
    one.Skip(u"C:\\gone.txt");
    EXPECT_EQ(SkippedPathsMessage(one),
              u"1 path could not be added (missing, a folder, or the file could not be opened):\r\n\r\nC:\\gone.txt");

    OutsideAddResult many;
    for (int i = 0; i < 12; ++i) many.Skip(u"C:\\f" + std::u16string(1, char16_t(u'a' + i)));
    EXPECT_EQ(SkippedPathsMessage(many),
              u"12 paths could not be added (missing, a folder, or the file could not be opened):\r\n\r\n"
              u"C:\\fa\r\nC:\\fb\r\nC:\\fc\r\nC:\\fd\r\nC:\\fe\r\n...");
}

}  // namespace
}  // namespace qm
