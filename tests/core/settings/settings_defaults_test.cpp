// Defaults of the settings record and the presets, and the meaning of every
// flag bit, checked against the values a first start must show.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <initializer_list>

#include "core/settings/app_settings.h"
#include "core/settings/preset.h"

namespace qm {
namespace {

constexpr std::uint64_t SomeNow = 133489372250420000ull;  // 2024-01-05 14:07:05.042 UTC

TEST(AppSettingsDefaults, TextFields) {
    const AppSettings s = MakeDefaultAppSettings({0, 0, 1920, 1080}, SomeNow);
    EXPECT_EQ(s.TimeFormat.view(), u"%Mon%%dd%-%yyyy%-%HH%%mm%");
    EXPECT_TRUE(s.LastPath.empty());
    EXPECT_EQ(s.Spacer.view(), u"_");
    EXPECT_EQ(decltype(s.TimeFormat)::capacity, 1000u);
    EXPECT_EQ(decltype(s.LastPath)::capacity, 260u);
    EXPECT_EQ(decltype(s.Spacer)::capacity, 1u);
}

TEST(AppSettingsDefaults, GeometryAndTimes) {
    const AppSettings s = MakeDefaultAppSettings({-5, 0, 1920, 1080}, SomeNow);
    // A placement of length zero is never applied: the template's place stands.
    WindowPlacementRecord zero{};
    EXPECT_EQ(std::memcmp(&s.MainDlgWP, &zero, sizeof zero), 0);
    EXPECT_EQ(s.DesktopRect.left, -5);
    EXPECT_EQ(s.DesktopRect.right, 1920);
    EXPECT_EQ(s.DesktopRect.bottom, 1080);
    // x = -1 lies left of a desktop starting at 0: no remembered position.
    EXPECT_EQ(s.SettingsDlgXY.x, -1);
    EXPECT_EQ(s.SettingsDlgXY.y, 0);
    EXPECT_EQ(s.AddExtDlgXY.x, -1);
    EXPECT_EQ(s.AddExtDlgXY.y, 0);
    EXPECT_EQ(s.FileTime, SomeNow);
    const std::int32_t widths[] = {200, 170, 170, 170, 220, 60, 200, 170, 170, 170, 100};
    ASSERT_EQ(s.FileListCols.size(), std::size(widths));
    for (std::size_t i = 0; i < std::size(widths); ++i) EXPECT_EQ(s.FileListCols[i], widths[i]) << i;
    EXPECT_EQ(s.SettingsLock, nullptr);
}

TEST(AppSettingsDefaults, NumbersAndFlagWords) {
    const AppSettings s = MakeDefaultAppSettings({}, SomeNow);
    EXPECT_EQ(s.Opacity, 128u);
    EXPECT_EQ(s.Zeros, 4u);
    EXPECT_EQ(s.Offset, 1u);
    EXPECT_EQ(s.SettingsFlags, 1u);
    EXPECT_EQ(s.MainControlFlags, 3u);
    EXPECT_EQ(s.RenameFlags, 199u);
    EXPECT_EQ(s.DateTimeFlags, 7u);
    EXPECT_EQ(s.AttributeFlags, 8u);
    EXPECT_EQ(s.ExtensionFlags, 0u);
    EXPECT_EQ(s.GeneralFlags, 0u);
}

TEST(AppSettingsDefaults, FirstStartShowsTheDocumentedOptions) {
    const AppSettings s = MakeDefaultAppSettings({}, SomeNow);
    EXPECT_EQ(s.MainControlFlags, MainControl::FileNames | MainControl::Extensions);
    EXPECT_EQ(s.RenameFlags, Rename::Prefix | Rename::Suffix | Rename::StampUnix | Rename::PrefixSpacer |
                                 Rename::SuffixSpacer);
    EXPECT_EQ(s.DateTimeFlags, DateTime::Created | DateTime::Modified | DateTime::Accessed);
    EXPECT_EQ(s.AttributeFlags, Attribute::Archive);
    EXPECT_EQ(s.SettingsFlags, SettingsOption::DoubleClickNone);
}

TEST(FlagBits, EachWordHasDistinctSingleBitsAtTheDocumentedValues) {
    auto expectBits = [](std::initializer_list<std::uint32_t> bits, std::initializer_list<std::uint32_t> values) {
        ASSERT_EQ(bits.size(), values.size());
        std::uint32_t seen = 0;
        auto value = values.begin();
        for (std::uint32_t bit : bits) {
            EXPECT_EQ(std::popcount(bit), 1) << bit;
            EXPECT_EQ(seen & bit, 0u) << "bit used twice: " << bit;
            EXPECT_EQ(bit, *value++);
            seen |= bit;
        }
    };
    expectBits({MainControl::FileNames, MainControl::Extensions, MainControl::Date, MainControl::Attributes},
               {0x1, 0x2, 0x4, 0x8});
    expectBits({Rename::Prefix, Rename::Suffix, Rename::StampUnix, Rename::StampWin32, Rename::StampCurrent,
                Rename::StampPreset, Rename::PrefixSpacer, Rename::SuffixSpacer, Rename::PrefixUppercase,
                Rename::PrefixLowercase, Rename::SuffixUppercase, Rename::SuffixLowercase, Rename::PrefixAuto,
                Rename::SuffixAuto},
               {0x1, 0x2, 0x4, 0x8, 0x10, 0x20, 0x40, 0x80, 0x100, 0x200, 0x400, 0x800, 0x1000, 0x2000});
    expectBits({DateTime::Created, DateTime::Modified, DateTime::Accessed, DateTime::Auto}, {0x1, 0x2, 0x4, 0x8});
    expectBits({Attribute::ReadOnly, Attribute::Hidden, Attribute::System, Attribute::Archive},
               {0x1, 0x2, 0x4, 0x8});
    expectBits({Extension::Uppercase, Extension::Lowercase}, {0x1, 0x2});
    expectBits({General::AlwaysOnTop, General::Transparent}, {0x1, 0x2});
    expectBits({SettingsOption::DoubleClickNone, SettingsOption::DoubleClickRename, SettingsOption::DoubleClickCopy,
                SettingsOption::IncrementOffset, SettingsOption::CopyToPrefix, SettingsOption::CopyToSuffix,
                SettingsOption::AutoRenameAfterDrop, SettingsOption::CtrlClickForPresets},
               {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80});
    EXPECT_EQ(Rename::StampSources, 0x4003Cu);
}

TEST(PresetDefaults, EveryFieldOfEverySlot) {
    const PresetArray presets = MakeDefaultPresets(SomeNow);
    ASSERT_EQ(presets.size(), 15u);
    for (int slot = 1; slot <= 15; ++slot) {
        const Preset& p = presets[slot - 1];
        SCOPED_TRACE(slot);
        std::u16string label = u"Preset ";
        if (slot >= 10) label += u'1';
        label += static_cast<char16_t>(u'0' + slot % 10);
        EXPECT_EQ(p.label.view(), label);
        EXPECT_EQ(p.tipwindow, nullptr);
        EXPECT_EQ(p.buttonwindow, nullptr);
        EXPECT_EQ(p.timeformat.view(), u"%Mon%%dd%-%yyyy%-%HH%%mm%");
        EXPECT_EQ(p.prefix.view(), u"Prefix");
        EXPECT_EQ(p.suffix.view(), u"Suffix");
        EXPECT_EQ(p.spacer.view(), u"_");
        EXPECT_EQ(p.filetime, SomeNow);
        EXPECT_EQ(p.offset, 1);
        EXPECT_EQ(p.zeros, 4);
        EXPECT_EQ(p.maincontrolflags, 3u);
        EXPECT_EQ(p.renameflags, 199u);
        EXPECT_EQ(p.datetimeflags, 3u);  // Created and Modified; a preset never carries Accessed
        EXPECT_EQ(p.attribflags, 8u);
        EXPECT_EQ(p.extflags, 0u);
    }
}

TEST(PresetDefaults, FieldWidths) {
    Preset p;
    EXPECT_EQ(decltype(p.label)::capacity, 25u);
    EXPECT_EQ(decltype(p.timeformat)::capacity, 1000u);
    EXPECT_EQ(decltype(p.prefix)::capacity, 260u);
    EXPECT_EQ(decltype(p.suffix)::capacity, 260u);
    EXPECT_EQ(decltype(p.spacer)::capacity, 2u);
}

TEST(FixedText, CutsOverlongTextsToTheField) {
    FixedText<4> field;
    field = u"abcdef";
    EXPECT_EQ(field.view(), u"abc");
    EXPECT_EQ(field.units[3], u'\0');
    field = u"";
    EXPECT_TRUE(field.empty());
    field = std::u16string_view(u"a\0b", 3);  // a text ends at its first zero unit
    EXPECT_EQ(field.view(), u"a");
}

}  // namespace
}  // namespace qm
