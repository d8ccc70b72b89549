// "Add Folder" on files held in memory: the order of the rows, what is skipped
// and counted, links that are not followed, and stopping half way.
#include <gtest/gtest.h>

#include "core/outside/folder_walk.h"
#include "core/rows/memory_file_system.h"
#include "core/settings/folder_filters.h"

namespace qm::test {
namespace {

using Paths = std::vector<std::u16string>;

Paths RowPaths(const FileTable& table) {
    Paths paths;
    for (const FileRow& row : table) paths.push_back(CurrentPath(row));
    return paths;
}

// C:\t with three levels, files added in scrambled order, a link from the
// deepest level back to the top, a folder link beside it, a file held open and
// a folder that cannot be read.
struct Tree {
    MemoryFileSystem files;
    Tree() {
        for (const char16_t* path : {u"C:\\t\\b.txt", u"C:\\t\\A.txt", u"C:\\t\\sub2\\z.jpg", u"C:\\t\\Sub1\\y.jpg",
                                     u"C:\\t\\Sub1\\deep\\x.jpg", u"C:\\t\\Sub1\\a.jpg", u"C:\\t\\sub2\\held.jpg",
                                     u"C:\\t\\c10.txt", u"C:\\t\\c9.txt", u"C:\\t\\locked\\hidden.txt"})
            files.AddFile(path);
        files.AddFolder(u"C:\\t\\Sub1\\deep\\loop");
        files.Find(u"C:\\t\\Sub1\\deep\\loop")->attributes = DirectoryAttribute | ReparsePointAttribute;
        files.Find(u"C:\\t\\sub2\\held.jpg")->heldElsewhere = true;
        files.Find(u"C:\\t\\locked")->refuseListing = true;
    }
};

TEST(AddFolderTree, WholeTreeInNameOrderPerFolderSkippingWhatCannotBeOpened) {
    Tree tree;
    FileTable table;
    const FolderWalkResult result = AddFolderTree(table, u"C:\\t", true, tree.files);
    EXPECT_EQ(RowPaths(table), (Paths{u"C:\\t\\A.txt", u"C:\\t\\b.txt", u"C:\\t\\c10.txt", u"C:\\t\\c9.txt",
                                      u"C:\\t\\Sub1\\a.jpg", u"C:\\t\\Sub1\\y.jpg", u"C:\\t\\Sub1\\deep\\x.jpg",
                                      u"C:\\t\\sub2\\z.jpg"}));
    EXPECT_EQ(result.paths.added, 8u);
    EXPECT_EQ(result.paths.firstSkipped, (Paths{u"C:\\t\\locked", u"C:\\t\\sub2\\held.jpg"}))
        << "the held file and the folder that cannot be read";
    EXPECT_EQ(result.linksSkipped, 1u);
    EXPECT_FALSE(result.stopped);
    for (const FileRow& row : table) {
        EXPECT_EQ(row.name, row.originalName);
        EXPECT_NE(row.modified, NoTime) << "a full row, as the open dialog adds";
    }
    EXPECT_EQ(table[0].folder, table[1].folder) << "one folder text per folder";
}

TEST(AddFolderTree, WithoutSubfoldersOnlyTheFolderItself) {
    Tree tree;
    FileTable table;
    const FolderWalkResult result = AddFolderTree(table, u"C:\\t\\Sub1", false, tree.files);
    EXPECT_EQ(RowPaths(table), (Paths{u"C:\\t\\Sub1\\a.jpg", u"C:\\t\\Sub1\\y.jpg"}));
    EXPECT_EQ(result.paths.skipped, 0u);
}

TEST(AddFolderTree, FolderThatCannotBeReadAddsNothingAndCountsOnce) {
    Tree tree;
    FileTable table;
    const FolderWalkResult result = AddFolderTree(table, u"C:\\missing", true, tree.files);
    EXPECT_TRUE(table.empty());
    EXPECT_EQ(result.paths.firstSkipped, Paths{u"C:\\missing"});
}

TEST(AddFolderTree, StopsWhenTheProgressSaysSoAndKeepsWhatWasAdded) {
    struct StopAfter : FolderWalkProgress {
        std::size_t limit;
        explicit StopAfter(std::size_t n) : limit(n) {}
        bool KeepGoing(std::size_t added) override {
            return added < limit;
        }
    };
    // Stopped in the top folder, in a subfolder, and in the last one: nothing
    // is added after the stop, wherever the walk is.
    for (std::size_t limit = 1; limit < 8; ++limit) {
        StopAfter stop(limit);
        Tree tree;
        FileTable table;
        const FolderWalkResult result = AddFolderTree(table, u"C:\\t", true, tree.files, &stop);
        EXPECT_TRUE(result.stopped) << limit;
        EXPECT_EQ(table.size(), limit);
        EXPECT_EQ(result.paths.added, limit);
    }
}

// The "Files" box: patterns between ";", "*" and "?", A-Z as a-z, a bare
// extension as "*.ext"; files it does not name are passed over, uncounted.
TEST(AddFolderTree, OnlyTheFilesThatTheFilesBoxNames) {
    const Paths jpegs = {u"C:\\t\\Sub1\\a.jpg", u"C:\\t\\Sub1\\y.jpg", u"C:\\t\\Sub1\\deep\\x.jpg"};
    for (const auto& [filter, added] : {std::pair{u"", jpegs}, {u"*.JPG", jpegs}, {u" txt ; ?.jpg", jpegs},
                                        {u"a*;*x*", Paths{jpegs[0], jpegs[2]}}, {u".gif;;", Paths{}}}) {
        Tree tree;
        FileTable table;
        const auto result = AddFolderTree(table, u"C:\\t\\Sub1", true, tree.files, nullptr, false, NamePatterns(filter));
        EXPECT_EQ(RowPaths(table), added) << std::char_traits<char16_t>::length(filter);
        EXPECT_EQ(result.paths.skipped, 0u);
    }
    EXPECT_EQ(WithFolderFilterUsed(u"*.jpg|*.png|", u"*.p|ng"), u"*.png|*.jpg") << "newest first, once each";
}

// Hidden and system files and folders, as Explorer keeps them out of its view:
// left out and counted, the folders' files unseen; with the box, taken as any.
TEST(AddFolderTree, HiddenAndSystemFilesAndFoldersOnlyWithTheBox) {
    MemoryFileSystem files;
    for (const char16_t* path : {u"C:\\h\\a.txt", u"C:\\h\\desktop.ini", u"C:\\h\\Thumbs.db", u"C:\\h\\boot.dat",
                                 u"C:\\h\\sub\\b.txt", u"C:\\h\\sub\\hidden.txt", u"C:\\h\\cache\\c.txt",
                                 u"C:\\h\\system\\d.txt"})
        files.AddFile(path);
    const auto mark = [&](const char16_t* path, std::uint32_t attributes) { files.Find(path)->attributes |= attributes; };
    mark(u"C:\\h\\desktop.ini", FileAttribute::Hidden | FileAttribute::System);
    mark(u"C:\\h\\Thumbs.db", FileAttribute::Hidden);
    mark(u"C:\\h\\boot.dat", FileAttribute::System);
    mark(u"C:\\h\\sub\\hidden.txt", FileAttribute::Hidden);
    mark(u"C:\\h\\cache", FileAttribute::Hidden);
    mark(u"C:\\h\\system", FileAttribute::System);

    FileTable left;
    const FolderWalkResult without = AddFolderTree(left, u"C:\\h", true, files);
    EXPECT_EQ(RowPaths(left), (Paths{u"C:\\h\\a.txt", u"C:\\h\\sub\\b.txt"}));
    EXPECT_EQ(without.hiddenFilesSkipped, 4u) << "three at the top, one in a subfolder";
    EXPECT_EQ(without.hiddenFoldersSkipped, 2u);
    EXPECT_EQ(without.paths.skipped, 0u) << "left out by choice, not failed";

    FileTable taken;
    const FolderWalkResult with = AddFolderTree(taken, u"C:\\h", true, files, nullptr, true);
    EXPECT_EQ(RowPaths(taken), (Paths{u"C:\\h\\a.txt", u"C:\\h\\boot.dat", u"C:\\h\\desktop.ini",
                                      u"C:\\h\\Thumbs.db", u"C:\\h\\cache\\c.txt", u"C:\\h\\sub\\b.txt",
                                      u"C:\\h\\sub\\hidden.txt", u"C:\\h\\system\\d.txt"}));
    EXPECT_EQ(with.hiddenFilesSkipped + with.hiddenFoldersSkipped, 0u);
}

TEST(AddFolderTree, DeepTreeAndManyFilesWithoutRecursionLimits) {
    MemoryFileSystem files;
    std::u16string path = u"C:\\d";
    for (int level = 0; level < 100; ++level) {
        path += u"\\l";
        files.AddFile(path + u"\\f.txt");
    }
    FileTable table;
    EXPECT_EQ(AddFolderTree(table, u"C:\\d", true, files).paths.added, 100u);
    EXPECT_EQ(table.back().folderText().size(), path.size());
}

}  // namespace
}  // namespace qm::test
