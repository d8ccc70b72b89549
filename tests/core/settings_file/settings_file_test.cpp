// The settings file as a whole: what is written for the defaults, what a
// written file restores, and how hand-written files are read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/settings_file/settings_file.h"
#include "core/settings_file/settings_file_form.h"
#include "settings_fixture.h"

namespace qm {
namespace {

using test::FileOfLines;
using test::FixturePresets;
using test::FixtureSettings;
using test::Repeated;

std::u16string Number(int n) {
    std::u16string text;
    for (char c : std::to_string(n)) text.push_back(static_cast<char16_t>(c));
    return text;
}

// The default file, typed out line by line.
std::u16string ExpectedDefaultFile() {
    const std::u16string time(test::FixtureFileTimeHex);
    std::u16string text =
        u"\uFEFF"
        u"Quillmoth.exe 6.0.2.236\r\n"
        u"\r\n"
        u"[SETTINGS]\r\n"
        u"TimeFormat=%Mon%%dd%-%yyyy%-%HH%%mm%\r\n"
        u"LastPath=\r\n"
        u"Spacer=_\r\n"
        u"MainDlgWP=0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000\r\n"
        u"SettingsDlgXY=FFFFFFFF00000000\r\n"
        u"AddExtDlgXY=FFFFFFFF00000000\r\n"
        u"FileTime=" + time + u"\r\n"
        u"FileListCols=C8000000AA000000AA000000AA000000DC0000003C000000C8000000AA000000AA000000AA00000064000000\r\n"
        u"NewNameWidth=200\r\n"
        u"TakenWidth=170\r\n"
        u"Opacity=128\r\n"
        u"Zeros=4\r\n"
        u"Offset=1\r\n"
        u"SettingsFlags=1\r\n"
        u"MainControlFlags=3\r\n"
        u"RenameFlags=199\r\n"
        u"DateTimeFlags=7\r\n"
        u"AttributeFlags=8\r\n"
        u"ExtensionFlags=0\r\n"
        u"GeneralFlags=0\r\n"
        u"AddFolderFlags=0\r\n"
        u"Step=1\r\n"
        u"NameCase=0\r\n"
        u"NameList=\r\n"
        u"AddFolderFilter=\r\n"
        u"\r\n"
        u"[PREFIX]\r\n"
        u"\u00FF\r\n"
        u"\r\n"
        u"[SUFFIX]\r\n"
        u"\u00FF\r\n"
        u"\r\n"
        u"[EXTENSIONS]\r\n"
        u"\r\n"
        u"[FIND]\r\n"
        u"\u00FF\r\n"
        u"\r\n"
        u"[REPLACE]\r\n"
        u"\u00FF\r\n"
        u"\r\n";
    for (int n = 1; n <= 15; ++n) {
        text += u"[PRESET" + Number(n) + u"]\r\n";
        text += u"label=Preset " + Number(n) + u"\r\n";
        text +=
            u"timeformat=%Mon%%dd%-%yyyy%-%HH%%mm%\r\n"
            u"prefix=Prefix\r\n"
            u"suffix=Suffix\r\n"
            u"spacer=_\r\n"
            u"offset=1\r\n"
            u"zeros=4\r\n"
            u"filetime=" + time + u"\r\n"
            u"maincontrolflags=3\r\n"
            u"renameflags=199\r\n"
            u"datetimeflags=3\r\n"
            u"attribflags=8\r\n"
            u"extflags=0\r\n"
            u"find=\r\n"
            u"replace=\r\n"
            u"step=1\r\n"
            u"namecase=0\r\n"
            u"namelist=\r\n"
            u"\r\n";
    }
    return text;
}

TEST(SettingsFileWrite, DefaultsGiveTheExactFile) {
    const std::vector<std::uint8_t> written =
        WriteSettingsFileBytes(FixtureSettings(), SettingsLists{}, FixturePresets());
    const std::vector<std::uint8_t> expected = test::LittleEndian(ExpectedDefaultFile());
    ASSERT_GE(written.size(), 2u);
    EXPECT_EQ(written[0], 0xFF);
    EXPECT_EQ(written[1], 0xFE);
    EXPECT_EQ(written, expected);
}

TEST(SettingsFileWrite, ListsAndSignedOffsetsAsWritten) {
    SettingsLists lists;
    lists.prefix.current = u"Holiday";
    lists.prefix.entries = {u"Holiday", u"Work"};
    lists.suffix.entries = {u"x"};
    lists.extensions = {{true, u"jpeg", u"jpg"}, {false, u"", u"png"}};
    PresetArray presets = FixturePresets();
    presets[0].offset = -5;
    const std::vector<std::uint8_t> written =
        WriteSettingsFileBytes(FixtureSettings(), lists, presets);
    const std::u16string expectedTail =
        u"\r\n"
        u"[PREFIX]\r\nHoliday\r\nHoliday\r\nWork\r\n\r\n"
        u"[SUFFIX]\r\n\u00FF\r\nx\r\n\r\n"
        u"[EXTENSIONS]\r\n1\u00BBjpeg\u00BBjpg\r\n0\u00BB\u00BBpng\r\n\r\n"
        u"[FIND]\r\n\u00FF\r\n\r\n[REPLACE]\r\n\u00FF\r\n\r\n"
        u"[PRESET1]\r\nlabel=Preset 1\r\n";
    const std::vector<std::uint8_t> tail = test::LittleEndian(expectedTail);
    EXPECT_NE(std::search(written.begin(), written.end(), tail.begin(), tail.end()), written.end());
    const std::vector<std::uint8_t> offset = test::LittleEndian(u"\r\noffset=-5\r\n");
    EXPECT_NE(std::search(written.begin(), written.end(), offset.begin(), offset.end()),
              written.end());
}

// Every stored field of the record, compared one by one.
void ExpectSameStoredSettings(const AppSettings& a, const AppSettings& b) {
    EXPECT_EQ(a.TimeFormat.view(), b.TimeFormat.view());
    EXPECT_EQ(a.LastPath.view(), b.LastPath.view());
    EXPECT_EQ(a.Spacer.view(), b.Spacer.view());
    const WindowPlacementRecord &p = a.MainDlgWP, &q = b.MainDlgWP;
    EXPECT_EQ(p.length, q.length);
    EXPECT_EQ(p.flags, q.flags);
    EXPECT_EQ(p.showCmd, q.showCmd);
    EXPECT_EQ(p.minX, q.minX);
    EXPECT_EQ(p.minY, q.minY);
    EXPECT_EQ(p.maxX, q.maxX);
    EXPECT_EQ(p.maxY, q.maxY);
    EXPECT_EQ(p.left, q.left);
    EXPECT_EQ(p.top, q.top);
    EXPECT_EQ(p.right, q.right);
    EXPECT_EQ(p.bottom, q.bottom);
    EXPECT_EQ(a.SettingsDlgXY.x, b.SettingsDlgXY.x);
    EXPECT_EQ(a.SettingsDlgXY.y, b.SettingsDlgXY.y);
    EXPECT_EQ(a.AddExtDlgXY.x, b.AddExtDlgXY.x);
    EXPECT_EQ(a.AddExtDlgXY.y, b.AddExtDlgXY.y);
    EXPECT_EQ(a.FileTime, b.FileTime);
    EXPECT_EQ(a.FileListCols, b.FileListCols);
    EXPECT_EQ(a.NewNameWidth, b.NewNameWidth);
    EXPECT_EQ(a.TakenWidth, b.TakenWidth);
    EXPECT_EQ(a.Opacity, b.Opacity);
    EXPECT_EQ(a.Zeros, b.Zeros);
    EXPECT_EQ(a.Offset, b.Offset);
    EXPECT_EQ(a.SettingsFlags, b.SettingsFlags);
    EXPECT_EQ(a.MainControlFlags, b.MainControlFlags);
    EXPECT_EQ(a.RenameFlags, b.RenameFlags);
    EXPECT_EQ(a.DateTimeFlags, b.DateTimeFlags);
    EXPECT_EQ(a.AttributeFlags, b.AttributeFlags);
    EXPECT_EQ(a.ExtensionFlags, b.ExtensionFlags);
    EXPECT_EQ(a.GeneralFlags, b.GeneralFlags);
}

void ExpectSamePreset(const Preset& a, const Preset& b) {
    EXPECT_EQ(a.label.view(), b.label.view());
    EXPECT_EQ(a.timeformat.view(), b.timeformat.view());
    EXPECT_EQ(a.prefix.view(), b.prefix.view());
    EXPECT_EQ(a.suffix.view(), b.suffix.view());
    EXPECT_EQ(a.spacer.view(), b.spacer.view());
    EXPECT_EQ(a.filetime, b.filetime);
    EXPECT_EQ(a.offset, b.offset);
    EXPECT_EQ(a.zeros, b.zeros);
    EXPECT_EQ(a.maincontrolflags, b.maincontrolflags);
    EXPECT_EQ(a.renameflags, b.renameflags);
    EXPECT_EQ(a.datetimeflags, b.datetimeflags);
    EXPECT_EQ(a.attribflags, b.attribflags);
    EXPECT_EQ(a.extflags, b.extflags);
}

TEST(SettingsFileRoundTrip, RestoresEverythingWritten) {
    AppSettings s = FixtureSettings();
    s.TimeFormat = u"%yyyy%.%MM%.%dd% \u00E4\u20AC\U0001F600";
    s.LastPath = u"C:\\Users\\Anna\\Pictures\\Urlaub 2023";
    s.Spacer = u" ";
    s.MainDlgWP = {44, 2, 3, -1, -2, -32000, -32000, 100, 120, 1100, 900};
    s.SettingsDlgXY = {300, -40};
    s.AddExtDlgXY = {-1200, 7};
    s.FileTime = 0xFEDCBA9876543210ull;
    s.FileListCols = {1, 0, -1, 2147483647, -2147483647 - 1, 60, 200, 170, 170, 170, 99};
    s.NewNameWidth = 345;
    s.TakenWidth = 123;
    s.Opacity = 70;
    s.Zeros = 10;
    s.Offset = 32767;
    s.SettingsFlags = 0x02 | 0x08 | 0x40 | 0x80;
    s.MainControlFlags = 0xF;
    s.RenameFlags = 0x3FFF | 0x4000;  // an unknown bit is stored as it is
    s.DateTimeFlags = 0xF;
    s.AttributeFlags = 0x7;
    s.ExtensionFlags = 0x2;
    s.GeneralFlags = 0x3;

    SettingsLists lists;
    lists.prefix.current = u"Typed prefix";
    lists.prefix.entries = {u"one", u"two", u"one", u" leading blank", u"\u00FF"};
    lists.suffix.current = u"";
    lists.suffix.entries = {u"s1", u"s2"};
    lists.extensions = {{true, u"jpeg", u"jpg"}, {false, u"TIFF", u"tif"},
                        {true, u"", u"jpg"}, {false, u"a", u""}};

    PresetArray presets = FixturePresets();
    for (int i = 0; i < PresetCount; ++i) {
        Preset& p = presets[i];
        p.label = u"Label " + Number(i * 7);
        p.timeformat = u"%HH%" + Number(i);
        p.prefix = u"pre" + Number(i);
        p.suffix = i % 2 ? u"" : u"suf" + Number(i);
        p.spacer = i % 3 ? u"-" : u" ";
        p.filetime = 0x0123456789ABCDEFull * static_cast<std::uint64_t>(i + 1);
        p.offset = i == 4 ? -7 : 65536 * i + 10;
        p.zeros = i + 1;
        p.maincontrolflags = static_cast<std::uint32_t>(i);
        p.renameflags = 0x1000u + static_cast<std::uint32_t>(i);
        p.datetimeflags = static_cast<std::uint32_t>(i % 4);
        p.attribflags = 15u - static_cast<std::uint32_t>(i % 16);
        p.extflags = static_cast<std::uint32_t>(i % 3);
    }

    const std::vector<std::uint8_t> bytes = WriteSettingsFileBytes(s, lists, presets);

    AppSettings readSettings = FixtureSettings();
    ReadSettingsFromFileBytes(bytes, readSettings);
    ExpectSameStoredSettings(readSettings, s);

    SettingsLists readLists;
    readLists.prefix.current = u"overwritten";
    readLists.suffix.current = u"overwritten";
    PresetArray readPresets = MakeDefaultPresets(0);
    ReadListsAndPresetsFromFileBytes(bytes, readLists, readPresets);
    EXPECT_EQ(readLists.prefix.current, lists.prefix.current);
    EXPECT_EQ(readLists.prefix.entries, lists.prefix.entries);
    EXPECT_EQ(readLists.suffix.current, u"");  // written as the stand-in, read back empty
    EXPECT_EQ(readLists.suffix.entries, lists.suffix.entries);
    EXPECT_EQ(readLists.extensions, lists.extensions);
    for (int i = 0; i < PresetCount; ++i) {
        SCOPED_TRACE(i);
        ExpectSamePreset(readPresets[i], presets[i]);
    }
}

// Saved again as UTF-8 (a text editor's way), with or without a mark, it reads as its UTF-16 twin.
TEST(SettingsFileForm, Utf8WithAndWithoutMarkReadsAsItsUtf16Twin) {
    const std::u16string utf16 = u"[SETTINGS]\r\nTimeFormat=%dd% \u00E4\u20AC\U0001F600\r\nZeros=7\r\n\r\n[PREFIX]\r\n"
                                 u"\u00FF\r\nTrip \u00E4\r\n\r\n[EXTENSIONS]\r\n1\u00BBjpeg\u00BBjp\u00E9g\r\n\r\n";
    const std::string utf8 = "[SETTINGS]\r\nTimeFormat=%dd% \xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80\r\nZeros=7\r\n\r\n[PREFIX]\r\n"
                             "\xC3\xBF\r\nTrip \xC3\xA4\r\n\r\n[EXTENSIONS]\r\n1\xC2\xBBjpeg\xC2\xBBjp\xC3\xA9g\r\n\r\n";
    const auto allRead = [](const std::vector<std::uint8_t>& bytes) {
        AppSettings settings = FixtureSettings();
        SettingsLists lists;
        PresetArray presets = FixturePresets();
        ReadSettingsFromFileBytes(bytes, settings);
        ReadListsAndPresetsFromFileBytes(bytes, lists, presets);
        return WriteSettingsFileBytes(settings, lists, presets);
    };
    const std::vector<std::uint8_t> twin = allRead(test::LittleEndian(u"\uFEFF" + utf16));
    ASSERT_NE(twin, allRead({})) << "the twin is read";
    for (const std::string& bytes : {"\xEF\xBB\xBF" + utf8, utf8}) {
        const std::vector<std::uint8_t> file(bytes.begin(), bytes.end());
        ASSERT_EQ(FormOfSettingsFile(file), SettingsFileForm::Utf8);
        EXPECT_EQ(allRead(Utf16BytesOfUtf8File(file)), twin);
    }
}

// Which form a file is taken in, beyond the program's own: a file in neither
// form is never read, and so never written over.
TEST(SettingsFileForm, EachFileIsTakenInTheFormItIsIn) {
    using Bytes = std::vector<std::uint8_t>;
    const auto bytes = [](std::string_view text) { return Bytes(text.begin(), text.end()); };
    const auto withoutMark = [](std::u16string_view text) { return test::LittleEndian(text); };
    const struct {
        const char* what;
        Bytes file;
        SettingsFileForm form;
    } cases[] = {
        {"UTF-16 with its mark", test::LittleEndian(u"\uFEFF[SETTINGS]\r\nZeros=7\r\n"), SettingsFileForm::Utf16},
        {"UTF-16 without its mark", withoutMark(u"[SETTINGS]\r\nZeros=7\r\n"), SettingsFileForm::Utf16},
        {"UTF-16 without its mark, a pair of surrogates", withoutMark(u"[PREFIX]\r\n\U0001F600\r\n"),
         SettingsFileForm::Utf16},
        {"UTF-16 without its mark, a lone high surrogate", withoutMark(u"[PREFIX]\r\n\xD83D!\r\n"),
         SettingsFileForm::Neither},
        {"UTF-16 without its mark, a lone low surrogate", withoutMark(u"[PREFIX]\r\n!\xDE00\r\n"),
         SettingsFileForm::Neither},
        {"UTF-16 without its mark, ending in a high surrogate", withoutMark(u"[PREFIX]\r\n\xD83D"),
         SettingsFileForm::Neither},
        {"UTF-16 without its mark or a line break", withoutMark(u"[SETTINGS]"), SettingsFileForm::Neither},
        {"UTF-16 without its mark, an odd byte", [&] { Bytes b = withoutMark(u"[SETTINGS]\r\n"); b.push_back('x'); return b; }(),
         SettingsFileForm::Neither},
        {"UTF-8 with its mark", bytes("\xEF\xBB\xBF[SETTINGS]\r\nTimeFormat=\xC3\xA4\r\n"), SettingsFileForm::Utf8},
        {"UTF-8 without its mark", bytes("[SETTINGS]\r\nTimeFormat=\xC3\xA4\r\n"), SettingsFileForm::Utf8},
        {"UTF-8 with its mark, a surrogate encoded", bytes("\xEF\xBB\xBF[PREFIX]\r\n\xED\xA0\xBD\r\n"),
         SettingsFileForm::Neither},
        {"a one-byte code page", bytes("[SETTINGS]\r\nTimeFormat=Caf\xE9\r\n"), SettingsFileForm::Neither},
        {"UTF-16 big-endian", bytes(std::string("\xFE\xFF\0[\0S\0\r\0\n", 10)), SettingsFileForm::Neither},
        {"random bytes", Bytes{0x00, 0x9C, 0x41, 0xD8, 0x00, 0x00, 0x17, 0xFF}, SettingsFileForm::Neither},
    };
    for (const auto& c : cases) EXPECT_EQ(FormOfSettingsFile(c.file), c.form) << c.what;
}

TEST(SettingsFileRoundTrip, KeepsTheFirstHundredHistoryEntries) {
    SettingsLists lists;
    for (int i = 0; i < 150; ++i) {
        lists.prefix.entries.push_back(u"p" + Number(i));
        lists.suffix.entries.push_back(u"s" + Number(i));
    }
    const auto bytes = WriteSettingsFileBytes(FixtureSettings(), lists, FixturePresets());
    SettingsLists read;
    PresetArray presets = FixturePresets();
    ReadListsAndPresetsFromFileBytes(bytes, read, presets);
    ASSERT_EQ(read.prefix.entries.size(), 100u);
    ASSERT_EQ(read.suffix.entries.size(), 100u);
    EXPECT_EQ(read.prefix.entries.front(), u"p0");
    EXPECT_EQ(read.prefix.entries.back(), u"p99");
    EXPECT_EQ(read.suffix.entries.back(), u"s99");
}

// A [SETTINGS] section made of the given key lines, framed as in a real file.
std::vector<std::uint8_t> SettingsFileWith(std::initializer_list<std::u16string_view> keys) {
    std::u16string text = u"\uFEFFQuillmoth.exe 6.0.2.236\r\n\r\n[SETTINGS]\r\n";
    for (auto key : keys) text += std::u16string(key) + u"\r\n";
    text += u"\r\n[PREFIX]\r\nfrom file\r\n\r\n";
    return test::LittleEndian(text);
}

TEST(SettingsFileReadSettings, NumbersParseLooselyAndWrapAround) {
    AppSettings s = FixtureSettings();
    ReadSettingsFromFileBytes(
        SettingsFileWith({u"Opacity=  +200abc", u"Zeros=", u"RenameFlags=-1", u"Offset=65546",
                          u"GeneralFlags=4294967298"}),
        s);
    EXPECT_EQ(s.Opacity, 200u);
    EXPECT_EQ(s.Zeros, 0u);
    EXPECT_EQ(s.RenameFlags, 4294967295u);
    EXPECT_EQ(s.Offset, 65546u);  // ranges belong to the controls, not the record
    EXPECT_EQ(s.GeneralFlags, 2u);
    EXPECT_EQ(s.DateTimeFlags, 7u);  // missing key keeps its value
    EXPECT_EQ(s.NewNameWidth, 200u) << "a file from before the New Name column";
}

TEST(SettingsFileReadSettings, HexValuesOfTheWrongLengthLeaveTheField) {
    const std::u16string digits88 =
        u"2C000000010000000300000000000000000000000000000000000000"
        u"6400000078000000E8030000DC050000";
    ASSERT_EQ(digits88.size(), 88u);
    for (std::size_t length : {87u, 89u}) {
        AppSettings s = FixtureSettings();
        std::u16string value = digits88.substr(0, std::min<std::size_t>(length, 88));
        if (length == 89) value += u"0";
        const std::u16string line = u"MainDlgWP=" + value;
        ReadSettingsFromFileBytes(SettingsFileWith({line}), s);
        EXPECT_EQ(s.MainDlgWP.length, 0u) << length;  // stays unstored
        EXPECT_EQ(s.MainDlgWP.right, 0) << length;
    }
    AppSettings s = FixtureSettings();
    const std::u16string line = u"MainDlgWP=" + digits88;
    ReadSettingsFromFileBytes(SettingsFileWith({line, u"FileTime=0102", u"SettingsDlgXY=4G000000G4000000"}), s);
    EXPECT_EQ(s.MainDlgWP.length, 44u);
    EXPECT_EQ(s.MainDlgWP.showCmd, 3u);
    EXPECT_EQ(s.MainDlgWP.left, 100);
    EXPECT_EQ(s.MainDlgWP.bottom, 1500);
    EXPECT_EQ(s.FileTime, test::FixtureFileTime);
    EXPECT_EQ(s.SettingsDlgXY.x, 4);
    EXPECT_EQ(s.SettingsDlgXY.y, 0);
}

TEST(SettingsFileReadSettings, KeysAreCaseSensitiveAndMustStartTheLine) {
    AppSettings s = FixtureSettings();
    ReadSettingsFromFileBytes(SettingsFileWith({u"timeformat=%dd%", u"opacity=5", u" Zeros=9",
                                                u"Spacer", u"Zeros =9", u"LastPath=C:\\a=b"}),
                              s);
    EXPECT_EQ(s.TimeFormat.view(), DefaultTimeFormat);
    EXPECT_EQ(s.Opacity, 128u);
    EXPECT_EQ(s.Zeros, 4u);
    EXPECT_EQ(s.Spacer.view(), u"_");
    EXPECT_EQ(s.LastPath.view(), u"C:\\a=b");  // the value starts after the first "="
}

TEST(SettingsFileReadSettings, TextsLongerThanTheirFieldsAreCut) {
    AppSettings s = FixtureSettings();
    const std::u16string format = u"TimeFormat=" + Repeated(u'f', 1005);
    const std::u16string path = u"LastPath=" + Repeated(u'p', 300);
    ReadSettingsFromFileBytes(SettingsFileWith({format, path, u"Spacer=-+"}), s);
    EXPECT_EQ(s.TimeFormat.view(), Repeated(u'f', 1000));
    EXPECT_EQ(s.LastPath.view(), Repeated(u'p', 260));
    EXPECT_EQ(s.Spacer.view(), u"-");
}

TEST(SettingsFileReadSettings, ReadsOnlyTheFirstSectionToItsEnd) {
    AppSettings s = FixtureSettings();
    ReadSettingsFromFileBytes(FileOfLines({u"Zeros=1", u"[SETTINGS]", u"Zeros=2", u"\rOffset=9",
                                           u"Opacity=3", u"", u"[SETTINGS]", u"Zeros=5"}),
                              s);
    EXPECT_EQ(s.Zeros, 2u);
    EXPECT_EQ(s.Offset, 1u);    // a line starting with CR ends the section
    EXPECT_EQ(s.Opacity, 128u);
}

TEST(SettingsFileReadSettings, HeaderMustMatchTheWholeLine) {
    for (std::u16string_view header : {u"[SETTINGS] ", u" [SETTINGS]", u"[settings]"}) {
        AppSettings s = FixtureSettings();
        const auto bytes = FileOfLines({header, u"Zeros=9", u"", u"[PREFIX]", u"typed", u"old",
                                        u"", u"[PRESET2]", u"label=Kept", u""});
        ReadSettingsFromFileBytes(bytes, s);
        EXPECT_EQ(s.Zeros, 4u) << std::string(header.begin(), header.end());
        SettingsLists lists;
        PresetArray presets = FixturePresets();
        ReadListsAndPresetsFromFileBytes(bytes, lists, presets);
        EXPECT_EQ(lists.prefix.current, u"typed");
        EXPECT_EQ(lists.prefix.entries, std::vector<std::u16string>{u"old"});
        EXPECT_EQ(presets[1].label.view(), u"Kept");
    }
}

TEST(SettingsFileReadSettings, ByteOrderDecidesWhatIsFound) {
    const std::u16string text = u"[SETTINGS]\r\nZeros=7\r\n\r\n[PREFIX]\r\nnow\r\n\r\n";
    AppSettings withoutMark = FixtureSettings();
    ReadSettingsFromFileBytes(test::LittleEndian(text), withoutMark);
    EXPECT_EQ(withoutMark.Zeros, 7u);

    AppSettings bigEndian = FixtureSettings();
    const auto bigBytes = test::BigEndian(u"\uFEFF" + text);
    ASSERT_EQ(bigBytes[0], 0xFE);
    ReadSettingsFromFileBytes(bigBytes, bigEndian);
    EXPECT_EQ(bigEndian.Zeros, 4u);
    SettingsLists lists;
    PresetArray presets = FixturePresets();
    ReadListsAndPresetsFromFileBytes(bigBytes, lists, presets);
    EXPECT_TRUE(lists.prefix.current.empty());
    EXPECT_TRUE(lists.prefix.entries.empty());

    AppSettings empty = FixtureSettings();
    ReadSettingsFromFileBytes({}, empty);
    ExpectSameStoredSettings(empty, FixtureSettings());
}

TEST(SettingsFileReadLists, HistoriesReplaceTheCurrentTextAndAppendEntries) {
    SettingsLists lists;
    lists.prefix.current = u"before";
    lists.prefix.entries = {u"already there"};
    lists.suffix.current = u"untouched";
    PresetArray presets = FixturePresets();
    ReadListsAndPresetsFromFileBytes(
        FileOfLines({u"[PREFIX]", u"\u00FF", u"a", u"a", u" ", u"", u"[SUFFIX]", u"", u"x",
                     u"[PREFIX]", u"second", u"b"}),
        lists, presets);
    EXPECT_EQ(lists.prefix.current, u"second");
    const std::vector<std::u16string> entries = {u"already there", u"a", u"a", u" ", u"b"};
    EXPECT_EQ(lists.prefix.entries, entries);
    EXPECT_EQ(lists.suffix.current, u"untouched");  // an empty section sets nothing
    EXPECT_TRUE(lists.suffix.entries.empty());
}

TEST(SettingsFileReadLists, StandInOnlyMeansEmptyWhenAlone) {
    SettingsLists lists;
    PresetArray presets = FixturePresets();
    ReadListsAndPresetsFromFileBytes(FileOfLines({u"[PREFIX]", u"\u00FF\u00FF", u"\u00FF", u"",
                                                  u"[SUFFIX]", u"\u00FF", u"\u00FF"}),
                                     lists, presets);
    EXPECT_EQ(lists.prefix.current, u"\u00FF\u00FF");
    EXPECT_EQ(lists.prefix.entries, std::vector<std::u16string>{u"\u00FF"});
    EXPECT_EQ(lists.suffix.current, u"");
    EXPECT_EQ(lists.suffix.entries, std::vector<std::u16string>{u"\u00FF"});
}

TEST(SettingsFileReadLists, ExtensionRowsSplitAtEachSeparator) {
    SettingsLists lists;
    PresetArray presets = FixturePresets();
    ReadListsAndPresetsFromFileBytes(
        FileOfLines({u"[EXTENSIONS]", u"1\u00BBjpeg\u00BBjpg", u"0\u00BBtiff\u00BBtif",
                     u"1\u00BB\u00BBjpg", u"2\u00BBa\u00BBb", u"11\u00BBa\u00BBb",
                     u"1\u00BBa\u00BBb\u00BBc", u"nothing", u"1\u00BBonlyfrom", u"1", u"",
                     u"[EXTENSIONS]", u"1\u00BBlast\u00BBrow"}),
        lists, presets);
    const std::vector<ExtensionRow> expected = {
        {true, u"jpeg", u"jpg"}, {false, u"tiff", u"tif"}, {true, u"", u"jpg"},
        {false, u"a", u"b"},     {false, u"a", u"b"},      {true, u"a", u"b\u00BBc"},
        {false, u"", u""},       {true, u"onlyfrom", u""}, {true, u"", u""},
        {true, u"last", u"row"}};
    EXPECT_EQ(lists.extensions, expected);
}

TEST(SettingsFileReadLists, LongLinesArriveInPiecesWithoutOverrun) {
    SettingsLists lists;
    PresetArray presets = FixturePresets();
    const std::u16string longRow = u"1\u00BB" + Repeated(u'x', 1500);  // no second separator
    ReadListsAndPresetsFromFileBytes(
        FileOfLines({u"[EXTENSIONS]", longRow, u"0\u00BBa\u00BBb"}), lists, presets);
    ASSERT_EQ(lists.extensions.size(), 3u);
    EXPECT_TRUE(lists.extensions[0].checked);
    EXPECT_EQ(lists.extensions[0].from, Repeated(u'x', 1021));
    EXPECT_EQ(lists.extensions[0].to, u"");
    EXPECT_EQ(lists.extensions[1].from, u"");
    EXPECT_EQ(lists.extensions[2].from, u"a");
}

TEST(SettingsFileReadPresets, OverwritesOnlyTheKeysPresent) {
    PresetArray presets = FixturePresets();
    SettingsLists lists;
    ReadListsAndPresetsFromFileBytes(
        FileOfLines({u"[PRESET3]", u"label=", u"", u"[PRESET15]", u"zeros=7", u"offset=65546",
                     u"Label=ignored", u"filetime=00", u"datetimeflags=-1", u"", u"[PRESET16]",
                     u"label=none", u"", u"[PRESET0]", u"label=none", u"", u"[PRESET01]",
                     u"label=none"}),
        lists, presets);
    const PresetArray defaults = FixturePresets();
    Preset expected3 = defaults[2];
    expected3.label = u"";
    ExpectSamePreset(presets[2], expected3);
    EXPECT_EQ(presets[14].zeros, 7);
    EXPECT_EQ(presets[14].offset, 65546);
    EXPECT_EQ(presets[14].label.view(), u"Preset 15");
    EXPECT_EQ(presets[14].filetime, test::FixtureFileTime);
    EXPECT_EQ(presets[14].datetimeflags, 4294967295u);
    for (int i : {0, 1, 3, 13}) ExpectSamePreset(presets[i], defaults[i]);
}

TEST(SettingsFileReadPresets, TextsLongerThanTheirFieldsAreCut) {
    PresetArray presets = FixturePresets();
    SettingsLists lists;
    const std::u16string label = u"label=" + Repeated(u'L', 40);
    const std::u16string format = u"timeformat=" + Repeated(u'T', 1010);
    const std::u16string prefix = u"prefix=" + Repeated(u'P', 261);
    const std::u16string suffix = u"suffix=" + Repeated(u'S', 400);
    ReadListsAndPresetsFromFileBytes(
        FileOfLines({u"[PRESET1]", label, format, prefix, suffix, u"spacer=~=", u""}), lists,
        presets);
    EXPECT_EQ(presets[0].label.view(), Repeated(u'L', 25));
    EXPECT_EQ(presets[0].timeformat.view(), Repeated(u'T', 1000));
    EXPECT_EQ(presets[0].prefix.view(), Repeated(u'P', 260));
    EXPECT_EQ(presets[0].suffix.view(), Repeated(u'S', 260));
    EXPECT_EQ(presets[0].spacer.view(), u"~");
}

}  // namespace
}  // namespace qm
