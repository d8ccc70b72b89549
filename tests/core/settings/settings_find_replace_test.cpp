// The new options in the settings file: the find and replace histories, the
// preset keys after the thirteen older ones, the new RenameFlags bits, and a
// file written by the previous version, which must load as it did.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/settings_file/settings_file.h"
#include "previous_settings_file.h"
#include "settings_fixture.h"

namespace qm {
namespace {

std::u16string Number(int n) {
    std::u16string text;
    for (char c : std::to_string(n)) text.push_back(static_cast<char16_t>(c));
    return text;
}

std::u16string TextOf(const std::vector<std::uint8_t>& bytes) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) text.push_back(static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8));
    return text;
}

void EraseAll(std::u16string& text, std::u16string_view piece) {
    for (std::size_t at; (at = text.find(piece)) != std::u16string::npos;) text.erase(at, piece.size());
}

TEST(SettingsFindReplace, PreviousVersionFileLoadsAsItDidAndWritesBackWithOnlyTheNewPartsAdded) {
    const std::vector<std::uint8_t>& old = test::PreviousVersionSettingsFile;
    AppSettings s = test::FixtureSettings();
    ReadSettingsFromFileBytes(old, s);
    // Every value it holds comes through: writing them again gives the file back (below).
    EXPECT_EQ(s.RenameFlags, 0x151u) << "none of the new bits";

    SettingsLists lists;
    PresetArray presets = test::FixturePresets();
    ReadListsAndPresetsFromFileBytes(old, lists, presets);
    EXPECT_EQ(lists.find, HistoryList{});
    EXPECT_EQ(lists.replace, HistoryList{});
    for (const Preset& p : presets) {
        EXPECT_TRUE(p.find.view().empty());
        EXPECT_TRUE(p.replace.view().empty());
    }

    // Written again: the same file, plus the two empty histories, the two
    // empty preset keys, and the New Name and Taken columns' widths and
    // AddFolderFlags, the step, NameCase, NameList and AddFolderFilter, new too.
    std::u16string again = TextOf(WriteSettingsFileBytes(s, lists, presets));
    EraseAll(again, u"NewNameWidth=200\r\n");
    EraseAll(again, u"TakenWidth=170\r\n");
    EraseAll(again, u"AddFolderFlags=0\r\nStep=1\r\nNameCase=0\r\nNameList=\r\nAddFolderFilter=\r\n");
    EraseAll(again, u"[FIND]\r\n\u00FF\r\n\r\n[REPLACE]\r\n\u00FF\r\n\r\n");
    EraseAll(again, u"find=\r\nreplace=\r\nstep=1\r\nnamecase=0\r\nnamelist=\r\n");
    EXPECT_EQ(again, TextOf(old));
}

TEST(SettingsFindReplace, HistoriesPresetKeysAndBitsRoundTrip) {
    AppSettings s = test::FixtureSettings();
    s.RenameFlags = Rename::Prefix | Rename::KeepName | Rename::NoNumber | Rename::FindRegex | Rename::FindMatchCase;
    SettingsLists lists;
    lists.find.current = u"IMG_(\\d+)";
    lists.replace.current = u"";
    for (int i = 0; i < 150; ++i) {
        lists.find.entries.push_back(u"f" + Number(i));
        lists.replace.entries.push_back(u"$1 r\u00e4" + Number(i));
    }
    PresetArray presets = test::FixturePresets();
    for (int i = 0; i < PresetCount; ++i) {
        presets[i].find = u" (copy)" + Number(i);
        presets[i].replace = i % 2 ? u"" : u"$1=" + Number(i);
        presets[i].renameflags = Rename::KeepName | (i % 2 ? Rename::FindRegex : Rename::NoNumber);
    }
    const std::vector<std::uint8_t> bytes = WriteSettingsFileBytes(s, lists, presets);

    AppSettings readSettings = test::FixtureSettings();
    ReadSettingsFromFileBytes(bytes, readSettings);
    EXPECT_EQ(readSettings.RenameFlags, s.RenameFlags);
    SettingsLists readLists;
    PresetArray readPresets = MakeDefaultPresets(0);
    ReadListsAndPresetsFromFileBytes(bytes, readLists, readPresets);
    EXPECT_EQ(readLists.find.current, lists.find.current);
    EXPECT_EQ(readLists.replace.current, u"");
    ASSERT_EQ(readLists.find.entries.size(), 100u) << "the first 100 entries, as for the prefix";
    EXPECT_TRUE(std::equal(readLists.find.entries.begin(), readLists.find.entries.end(), lists.find.entries.begin()));
    ASSERT_EQ(readLists.replace.entries.size(), 100u);
    EXPECT_EQ(readLists.replace.entries[99], lists.replace.entries[99]);
    for (int i = 0; i < PresetCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(readPresets[i].find.view(), presets[i].find.view());
        EXPECT_EQ(readPresets[i].replace.view(), presets[i].replace.view());
        EXPECT_EQ(readPresets[i].renameflags, presets[i].renameflags);
    }

    // The new preset keys come after the thirteen that older builds know.
    const std::u16string text = TextOf(bytes);
    const std::size_t section = text.find(u"[PRESET2]\r\n");
    ASSERT_NE(section, std::u16string::npos);
    const std::size_t ext = text.find(u"extflags=", section);
    EXPECT_LT(ext, text.find(u"\r\nfind=", section));
    EXPECT_LT(text.find(u"\r\nfind=", section), text.find(u"\r\nreplace=", section));
}

TEST(SettingsFindReplace, UnknownKeysLinesAndSectionsAreSkipped) {
    const std::vector<std::uint8_t> bytes = test::FileOfLines({
        u"[FUTURE]", u"find=zzz", u"", u"[PRESET1]", u"label=L", u"colour=red", u"find=IMG", u"findregex=1",
        u"replace=Holiday", u"", u"[FIND]", u"typed", u"older", u"", u"[REPLACE]", u"\u00FF", u"",
    });
    SettingsLists lists;
    PresetArray presets = test::FixturePresets();
    ReadListsAndPresetsFromFileBytes(bytes, lists, presets);
    EXPECT_EQ(presets[0].label.view(), u"L");
    EXPECT_EQ(presets[0].find.view(), u"IMG");
    EXPECT_EQ(presets[0].replace.view(), u"Holiday");
    EXPECT_EQ(presets[0].renameflags, test::FixturePresets()[0].renameflags);
    EXPECT_EQ(lists.find.current, u"typed");
    EXPECT_EQ(lists.find.entries, (std::vector<std::u16string>{u"older"}));
    EXPECT_EQ(lists.replace.current, u"");
}

}  // namespace
}  // namespace qm::test
