// A row added holds what the file it opened gives: the four shown attribute
// bits (or "normal" for none), its times and its identity, both as it is now
// and as undo will give them back; a file that cannot be opened adds nothing.
#include <gtest/gtest.h>

#include "file_table_fixture.h"

namespace qm {
namespace {

using test::FileTableFixture;
using test::Folder;

TEST(AddFiles, RowHoldsTheShownAttributesTimesAndIdentityOfTheFileOpened) {
    constexpr std::uint32_t Shown =
        FileAttribute::ReadOnly | FileAttribute::Hidden | FileAttribute::System | FileAttribute::Archive;
    // Archive, read-only, hidden with system, all four, "normal", none, and
    // bits no column shows (not content indexed 0x2000, temporary 0x100).
    const std::uint32_t cases[] = {0x20, 0x21, 0x06, 0x27, FileAttribute::Normal, 0x00, 0x2020, 0x2100};
    FileTableFixture f;
    std::size_t n = 0;
    for (const std::uint32_t attributes : cases) {
        const std::u16string name = u"f" + std::u16string(1, static_cast<char16_t>(u'a' + n++)) + u".txt";
        f.times.written += 10'000'000;  // each file its own time
        f.Add({name}, attributes);
        ASSERT_EQ(f.table.size(), n) << "added";
        const FileRow& row = f.table.back();
        const std::uint32_t expected = (attributes & Shown) ? attributes & Shown : FileAttribute::Normal;
        EXPECT_EQ(row.attributes, expected) << std::hex << attributes;
        EXPECT_EQ(row.originalAttributes, expected) << std::hex << attributes;
        EXPECT_EQ(row.modified, f.times.written);
        EXPECT_EQ(row.originallyModified, f.times.written);
        EXPECT_EQ(row.created, f.times.created);
        EXPECT_EQ(row.accessed, f.times.accessed);
        EXPECT_EQ(row.identity, f.files.ReadIdentity(JoinPath(Folder, name)));
        EXPECT_EQ(row.takenTicket, 0u) << "a text file carries no date taken";
    }

    f.Add({u"photo.JPG"});
    EXPECT_EQ(f.table.back().takenTicket, TakenUnread) << "its date is read after the row is in";

    f.files.AddFile(JoinPath(Folder, u"held.txt")).heldElsewhere = true;
    EXPECT_FALSE(AppendFileRow(f.table, f.folder, u"held.txt", f.files)) << "open without sharing in another program";
    EXPECT_EQ(f.table.size(), std::size(cases) + 1) << "nothing appended";
}

}  // namespace
}  // namespace qm
