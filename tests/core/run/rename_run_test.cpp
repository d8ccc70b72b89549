#include <gtest/gtest.h>

#include "core/text/name_text.h"
#include "file_table_fixture.h"

namespace qm::test {
namespace {

using Names = std::vector<std::u16string>;

TEST(RenameRun, WorkedExampleWithAndWithoutTheExtensionTable) {
    for (const bool mapped : {false, true}) {
        FileTableFixture f;
        f.Add({u"a.jpg", u"b.JPG", u"c"});
        RenameOptions options = TripOptions();
        options.extensions = mapped;
        options.extensionMap = {{true, u"jpg", u"jpeg"}};
        EXPECT_EQ(f.Run(options), 0);
        const Names expected = mapped ? Names{u"Trip_007.jpeg", u"Trip_008.jpeg", u"Trip_009"}
                                      : Names{u"Trip_007.jpg", u"Trip_008.JPG", u"Trip_009"};
        EXPECT_EQ(f.Names(), expected);
        for (const std::u16string& name : expected) EXPECT_TRUE(f.OnDisk(name)) << std::string(name.begin(), name.end());
        EXPECT_EQ(f.Entry(expected[0]).content, u"a.jpg") << "the first row's file took the first number";
        EXPECT_EQ(f.table[1].originalName, u"b.JPG");
    }
}

// The name part: prefix, spacer, suffix, spacer, case, then cleaned.
TEST(RenameRun, NamePartTable) {
    struct Case {
        NamePiece prefix, suffix;
        std::u16string spacer, zeros, offset, expected;
    } cases[] = {
        {{true, false, false, false, u"a:b"}, {}, u"_", u"3", u"1", u"ab001.txt"},
        {{true, false, false, false, u" .x"}, {}, u"_", u"3", u"1", u"x001.txt"},
        {{true, false, false, true, u""}, {}, u"_", u"3", u"1", u"001.txt"},
        {{true, false, false, true, u"A"}, {true, false, false, true, u"B"}, u"-", u"2", u"5", u"A-B-05.txt"},
        {{true, true, false, true, u"tRip"}, {true, false, true, false, u"DAY"}, u"_", u"1", u"9", u"TRIP_day9.txt"},
        {{}, {}, u"_", u"4", u"1", u"0001.txt"},
        {{false, false, false, true, u"unused"}, {true, false, false, false, u"<s|u?f*f\"i/x\\^>"}, u"_", u"", u"12", u"suffix12.txt"},
        {{true, false, false, false, u"p"}, {}, u"_", u"3", u"  -2", u"p4294967294.txt"},
        {{true, false, false, false, u"p"}, {}, u"_", u"2", u"123456", u"p123456.txt"},
        {{true, false, false, false, u"p"}, {}, u"_", u"3", u"0", u"p000.txt"},
        {{true, false, false, false, u"p"}, {}, u"_", u"", u"0", u"p0.txt"},
        {{true, false, false, false, u"p"}, {}, u"_", u"12", u"7", u"p000000000007.txt"},
        // A width no path can hold: the file fails and keeps its name.
        {{true, false, false, false, u"p"}, {}, u"_", u"99999999999999999999", u"1", u"x.txt"},
    };
    for (const Case& c : cases) {
        FileTableFixture f;
        f.Add({u"x.txt"});
        RenameOptions options;
        options.fileNames = true;
        options.prefix = c.prefix;
        options.suffix = c.suffix;
        options.spacer = c.spacer;
        options.zerosText = c.zeros;
        options.offsetText = c.offset;
        f.Run(options);
        EXPECT_EQ(f.table[0].name, c.expected);
        EXPECT_TRUE(f.OnDisk(c.expected));
    }
}

TEST(RenameRun, ExistingFirstNameFailsEverySameExtensionFileAndCountsThem) {
    FileTableFixture f;
    f.Add({u"a.jpg", u"b.jpg", u"c.jpg", u"d.png", u"e.jpg"}, 0x23);
    f.files.AddFile(JoinPath(Folder, u"Trip_007.jpg"));
    RenameOptions options = TripOptions();
    options.setAttributes = true;
    options.attributes = 0x20;
    EXPECT_EQ(f.Run(options), 3);
    EXPECT_EQ(f.Names(), (Names{u"a.jpg", u"b.jpg", u"c.jpg", u"Trip_007.png", u"Trip_008.jpg"}));
    EXPECT_EQ(f.Entry(u"Trip_007.jpg").content, u"") << "the other file is left alone";
    for (const char16_t* failed : {u"a.jpg", u"b.jpg", u"c.jpg"})
        EXPECT_EQ(f.Entry(failed).attributes, 0x23u) << "a failed move gives the attributes back";
    EXPECT_EQ(f.Entry(u"Trip_007.png").attributes, 0x20u);
}

TEST(RenameRun, FileInUseIsCountedAndTheNumberMovesPast) {
    FileTableFixture f;
    f.Add({u"a.jpg", u"b.jpg", u"c.jpg"}, 0x21);
    f.files.Find(JoinPath(Folder, u"b.jpg"))->heldElsewhere = true;
    std::vector<RunRowOutcome> outcomes;
    EXPECT_EQ(RunRename(f.table, {0, 1, 2}, TripOptions(), f.files, 0, nullptr, &outcomes), 1);
    EXPECT_EQ(f.Names(), (Names{u"Trip_007.jpg", u"b.jpg", u"Trip_009.jpg"}));
    EXPECT_EQ(f.Entry(u"b.jpg").attributes, 0x21u) << "its cleared attributes are put back";
    EXPECT_EQ(outcomes, (std::vector{RunRowOutcome::Done, RunRowOutcome::NotOpened, RunRowOutcome::Done}));
}

// The same file listed twice: once the second row has moved another file onto
// the name that the first move freed, the stale duplicate row must fail rather
// than rename that other file.
TEST(RenameRun, NeverActsOnAFileThatTheSameRunHasJustMoved) {
    FileTableFixture f;
    f.Add({u"Trip_008.jpg", u"Trip_009.jpg"});
    f.table.push_back(f.table[0]);
    f.Add({u"z.jpg"});
    std::vector<RunRowOutcome> outcomes;
    EXPECT_EQ(RunRename(f.table, {0, 1, 2, 3}, TripOptions(), f.files, 0, nullptr, &outcomes), 1);
    EXPECT_EQ(outcomes, (std::vector{RunRowOutcome::Done, RunRowOutcome::Done, RunRowOutcome::MovedThisRun,
                                     RunRowOutcome::Done}));
    ASSERT_TRUE(f.OnDisk(u"Trip_010.jpg"));
    EXPECT_EQ(f.Entry(u"Trip_010.jpg").content, u"z.jpg") << "the failed row's number is used up, as after any failure";
    EXPECT_EQ(f.Entry(u"Trip_007.jpg").content, u"Trip_008.jpg");
    EXPECT_EQ(f.Entry(u"Trip_008.jpg").content, u"Trip_009.jpg") << "the other file keeps the name it took";
    EXPECT_FALSE(f.OnDisk(u"Trip_009.jpg"));
}

TEST(RenameRun, OnlySelectedRowsTakePartNumberedInListOrder) {
    FileTableFixture f;
    f.Add({u"1.txt", u"2.txt", u"3.txt", u"4.txt", u"5.txt"});
    f.Run(TripOptions(), {1, 3});
    EXPECT_EQ(f.Names(), (Names{u"1.txt", u"Trip_007.txt", u"3.txt", u"Trip_008.txt", u"5.txt"}));
}

TEST(RenameRun, ExtensionTableAndCase) {
    struct Case {
        bool fileNames, extensions, upper, lower;
        std::vector<ExtensionMapping> map;
        std::u16string expected;
    } cases[] = {
        {true, true, false, false, {{true, u"jpg", u"jpeg"}, {true, u"jpeg", u"png"}}, u"Trip_007.png"},
        {true, true, false, false, {{true, u"jpeg", u"png"}, {true, u"jpg", u"jpeg"}}, u"Trip_007.jpeg"},
        {true, true, false, false, {{false, u"jpg", u"jpeg"}}, u"Trip_007.JPG"},
        {true, false, false, false, {{true, u"jpg", u"jpeg"}}, u"Trip_007.JPG"},
        {true, false, false, true, {}, u"Trip_007.jpg"},
        {false, true, true, false, {{true, u"jpg", u"tiff"}}, u"a.b.TIFF"},
        {false, true, false, false, {{true, u"jpg", u"a\\..\\..\\x"}}, u"a.b.a....x"},
        {false, true, false, false, {{true, u"jpg", u"x:y/z"}}, u"a.b.xyz"},
        {false, true, false, false, {{true, u"jpg", u"a*b?c\"d<e>f|g^h"}}, u"a.b.abcdefgh"},
    };
    for (const Case& c : cases) {
        FileTableFixture f;
        f.Add({u"a.b.JPG"});
        RenameOptions options = TripOptions();
        options.fileNames = c.fileNames;
        options.extensions = c.extensions;
        options.extensionUppercase = c.upper;
        options.extensionLowercase = c.lower;
        options.extensionMap = c.map;
        EXPECT_EQ(f.Run(options), 0);
        EXPECT_EQ(f.table[0].name, c.expected);
        EXPECT_TRUE(f.OnDisk(c.expected)) << "the file stays in its folder";
        EXPECT_EQ(f.files.Files().size(), 1u);
    }
}

TEST(RenameRun, AttributesKeptOrSetAndTimesWritten) {
    struct Case {
        bool setAttributes;
        std::uint32_t chosen, expected;
        std::u16string_view letters;
    } cases[] = {{false, 0, 0x21, u"RA"}, {true, FileAttribute::Normal, 0, u""}, {true, 0x6, 0x6, u"HS"}};
    for (const Case& c : cases) {
        FileTableFixture f;
        f.Add({u"a.txt"}, 0x21);
        RenameOptions options = TripOptions();
        options.setAttributes = c.setAttributes;
        options.attributes = c.chosen;
        options.setDates = true;
        options.setModified = true;
        options.fileTime = At(2024, 1, 5, 14, 30);
        EXPECT_EQ(f.Run(options), 0) << "a read-only file is renamed too";
        EXPECT_EQ(f.Entry(u"Trip_007.txt").attributes, c.expected);
        EXPECT_EQ(ColumnText(f.table[0], FileColumn::Attributes, 0).view(), c.letters);
        EXPECT_EQ(f.Entry(u"Trip_007.txt").times.written, options.fileTime);
        EXPECT_EQ(f.Entry(u"Trip_007.txt").times.created, f.times.created);
        EXPECT_EQ(f.table[0].modified, options.fileTime);
        EXPECT_EQ(f.table[0].created, f.times.created) << "times it did not set, as read back";
        EXPECT_EQ(f.table[0].accessed, f.times.accessed);
        EXPECT_EQ(f.table[0].originallyModified, f.times.written);
    }
}

TEST(RenameRun, NewPathOfAtMost256Units) {
    for (const std::size_t length : {256u, 257u}) {
        FileTableFixture f;
        f.Add({u"a.txt"});
        RenameOptions options = TripOptions();
        options.prefix.text.assign(length - Folder.size() - 1 - std::u16string(u"_007.txt").size(), u'p');
        const int failures = f.Run(options);
        EXPECT_EQ(failures, length == 256 ? 0 : 1);
        EXPECT_EQ(CurrentPath(f.table[0]).size(), length == 256 ? 256u : Folder.size() + 6);
    }
}

TEST(RenameRun, NeitherNamesNorExtensionsOnlyRedatesAndReattributes) {
    FileTableFixture f;
    f.Add({u"a.txt"});
    RenameOptions options;
    options.setAttributes = true;
    options.attributes = 0x2;
    EXPECT_EQ(f.Run(options), 0);
    EXPECT_EQ(f.Names(), Names{u"a.txt"});
    EXPECT_EQ(ColumnText(f.table[0], FileColumn::Attributes, 0).view(), u"H");
}

TEST(FileList, AddingRecordsCurrentAndOriginalColumns) {
    FileTableFixture f;
    f.Add({u"a.txt"}, 0x21);
    f.files.AddFolder(JoinPath(Folder, u"sub"));
    EXPECT_FALSE(AppendFileRow(f.table, f.folder, u"sub", f.files)) << "a folder cannot be opened";
    EXPECT_FALSE(AppendFileRow(f.table, f.folder, u"missing.txt", f.files));
    EXPECT_NE(f.files.OpenForRead(JoinPath(Folder, u"a.txt")), nullptr);
    EXPECT_EQ(f.files.OpenForWrite(JoinPath(Folder, u"a.txt")), nullptr) << "a read-only file is not opened for writing";
    ASSERT_EQ(f.table.size(), 1u) << "no partial row stays behind";
    const std::u16string expected[] = {u"a.txt",
                                       FormatListDate(f.times.created, 0).str(),
                                       FormatListDate(f.times.written, 0).str(),
                                       FormatListDate(f.times.accessed, 0).str(),
                                       Folder,
                                       u"RA"};
    for (int column = 0; column < 6; ++column) EXPECT_EQ(ColumnText(f.table[0], column, 0), expected[column]) << column;
    const int originalOf[] = {0, 1, 2, 3, 5};  // columns 6 to 10 repeat these
    for (int i = 0; i < 5; ++i) EXPECT_EQ(ColumnText(f.table[0], 6 + i, 0), expected[originalOf[i]]) << 6 + i;
    const struct {
        std::u16string_view path, folder, name;
    } splits[] = {{u"C:\\a.txt", u"C:", u"a.txt"}, {u"C:\\x\\a.txt", u"C:\\x", u"a.txt"},
                  {u"a.txt", u"", u"a.txt"}, {u"\\\\server\\share\\a", u"\\\\server\\share", u"a"}};
    for (const auto& s : splits) {
        EXPECT_EQ(SplitPath(s.path).folder, s.folder);
        EXPECT_EQ(SplitPath(s.path).name, s.name);
    }
}

TEST(AttributeLetters, FormatAndParse) {
    EXPECT_EQ(FormatAttributeLetters(0).view(), u"");
    EXPECT_EQ(FormatAttributeLetters(0x27 | 0x10 | 0x800).view(), u"RHSA");
    EXPECT_EQ(FormatAttributeLetters(0x21).view(), u"RA");
    EXPECT_EQ(ParseAttributeLetters(u""), FileAttribute::Normal);
    EXPECT_EQ(ParseAttributeLetters(u"RA"), 0x21u);
    EXPECT_EQ(ParseAttributeLetters(u"ASHR"), 0x27u);
    EXPECT_EQ(ParseAttributeLetters(u"ra"), 0u);
    // The four "Attributes" boxes, AttributeFlags 0x1 to 0x8, and the bits they choose.
    const std::pair<std::uint32_t, std::uint32_t> boxes[] = {{0, 0x80}, {0x1, 0x1}, {0x2, 0x2}, {0x4, 0x4},
                                                             {0x8, 0x20}, {0xF, 0x27}, {0x10, 0x80}};
    for (const auto& [flags, bits] : boxes) EXPECT_EQ(ChosenAttributes(flags), bits) << flags;
    for (std::uint32_t bits = 0; bits < 0x40; ++bits) {
        const std::uint32_t shown = bits & 0x27;
        EXPECT_EQ(ParseAttributeLetters(FormatAttributeLetters(bits).view()), shown ? shown : FileAttribute::Normal);
    }
}

}  // namespace
}  // namespace qm::test
