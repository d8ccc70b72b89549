// A row added holds what the file it opened gives: the four shown attribute
// bits (or "normal" for none), its times and its identity, both as it is now
// and as undo will give them back. (A photo's date waiting and a file held
// elsewhere are covered where the date is read and where folders are walked.)
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
        EXPECT_EQ(row.identity, f.files.ReadIdentity(JoinPath(Folder, name)));
    }
}

}  // namespace
}  // namespace qm
