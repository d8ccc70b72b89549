#include <gtest/gtest.h>

#include <random>

#include "core/timestamp/calendar.h"
#include "instant_at.h"
#include "core/timestamp/list_date.h"

namespace qm {
namespace {


constexpr std::uint64_t kLastOf9999 = 2'650'467'743'999'999'999;  // 9999-12-31 23:59:59.9999999

TEST(ListDate, Examples) {
    EXPECT_EQ(FormatListDate(At(2024, 1, 5, 14, 7, 5, 42) + 9'999, 0).str(), u"01.05.2024 - 02:07:05.042 PM");
    EXPECT_EQ(FormatListDate(At(2023, 12, 31, 0), 0).str(), u"12.31.2023 - 12:00:00.000 AM");
    EXPECT_EQ(FormatListDate(At(2023, 12, 31, 0, 30), 0).str(), u"12.31.2023 - 12:30:00.000 AM");
    EXPECT_EQ(FormatListDate(At(2024, 6, 1, 12, 30), 0).str(), u"06.01.2024 - 12:30:00.000 PM");
    EXPECT_EQ(FormatListDate(At(2024, 6, 1, 13, 0), 0).str(), u"06.01.2024 - 01:00:00.000 PM");
    EXPECT_EQ(FormatListDate(At(2024, 6, 1, 11, 59), 0).str(), u"06.01.2024 - 11:59:00.000 AM");
    EXPECT_EQ(FormatListDate(At(2024, 6, 1, 23, 5), 0).str(), u"06.01.2024 - 11:05:00.000 PM");
    EXPECT_EQ(FormatListDate(At(2024, 1, 5, 14, 7), 2 * kTicksPerHour).str(), u"01.05.2024 - 04:07:00.000 PM");
    EXPECT_EQ(FormatListDate(At(10000, 1, 1, 0), 0).str(), u"01.01.10000 - 12:00:00.000 AM");
    EXPECT_EQ(FormatListDate(0, -kTicksPerHour).str(), u"") << "local time before 1601";
    EXPECT_EQ(FormatListDate(~std::uint64_t{0}, 0).str(), u"");
    EXPECT_FALSE(HasListDate(0, -kTicksPerHour) || HasListDate(~std::uint64_t{0}, 0));
    EXPECT_TRUE(HasListDate(0, 0) && HasListDate(At(10000, 1, 1, 0), 0));
    EXPECT_EQ(FormatListDateToMinute(At(2026, 12, 7, 19, 40, 59), 0).str(), u"12.07.2026 at 07:40 PM");
}

// Every text of 1601..9999 has the 28-unit layout, and reads back to the
// instant without its sub-millisecond part.
TEST(ListDate, LayoutAndRoundTripOverRandomInstants) {
    std::mt19937_64 random(11);
    const LocalOffset offsets[] = {0, kTicksPerHour, 2 * kTicksPerHour, -5 * kTicksPerHour,
                                   (5 * 60 + 45) * 600'000'000LL, -(3 * 60 + 30) * 600'000'000LL};
    for (int i = 0; i < 60'000; ++i) {
        const LocalOffset offset = offsets[i % std::size(offsets)];
        const std::uint64_t instant = 6 * kTicksPerHour + random() % (kLastOf9999 - 12 * kTicksPerHour);
        const std::u16string text = FormatListDate(instant, offset).str();
        ASSERT_EQ(text.size(), 28u) << instant;
        ASSERT_EQ(text.substr(2, 1) + text.substr(5, 1) + text.substr(10, 3) + text.substr(15, 1) +
                      text.substr(18, 1) + text.substr(21, 1) + text.substr(25, 1),
                  u".. - ::. ") << instant;
        ASSERT_TRUE(text.substr(26) == u"AM" || text.substr(26) == u"PM");
        ASSERT_EQ(ParseDateText(text, offset), instant - instant % 10'000) << instant;
    }
}

TEST(ListDate, ParsesHoursOfBothHalves) {
    EXPECT_EQ(ParseDateText(u"12.31.2023 - 12:30:00.000 AM", 0), At(2023, 12, 31, 0, 30));
    EXPECT_EQ(ParseDateText(u"12.31.2023 - 12:30:00.000 PM", 0), At(2023, 12, 31, 12, 30));
    EXPECT_EQ(ParseDateText(u"12.31.2023 - 11:05:00.000 PM", 0), At(2023, 12, 31, 23, 5));
    EXPECT_EQ(ParseDateText(u"12.31.2023 - 01:00:00.999 AM", 0), At(2023, 12, 31, 1, 0, 0, 999));
    EXPECT_EQ(ParseDateText(u"01.01.10000 - 03:04:05.006 PM", 0), At(10000, 1, 1, 15, 4, 5, 6));
    EXPECT_EQ(ParseDateText(u" 1.05.2024 - 02:07:05.042 PM", 0), At(2024, 1, 5, 14, 7, 5, 42));
}

TEST(ListDate, OffsetInForceWhenWrittenAndWhenRead) {
    const std::uint64_t instant = At(2024, 1, 5, 14, 7);
    const ListDateText writtenInSummer = FormatListDate(instant, 2 * kTicksPerHour);
    EXPECT_EQ(ParseDateText(writtenInSummer.view(), kTicksPerHour), instant + kTicksPerHour);
}

TEST(ListDate, RejectedTexts) {
    for (std::u16string_view text : {
             u"02.29.2100 - 12:00:00.000 AM",   // passes CheckDate, not a Gregorian leap year
             u"02.29.2101 - 12:00:00.000 AM",   // fails CheckDate
             u"12.31.1600 - 11:59:59.999 PM",   // before the calendar
             u"13.01.2024 - 12:00:00.000 AM",   // 13th month
             u"00.01.2024 - 12:00:00.000 AM", u"04.31.2024 - 12:00:00.000 AM",
             u"01.01.10001 - 12:00:00.000 AM",  // beyond CheckDate's years
             u"01.05.2024 - 24:00:00.000 AM", u"01.05.2024 - 01:60:00.000 AM",
             u"01.05.2024 - 65548:07:05.042 PM",  // would wrap to 12 in a 16-bit field
             u"01.05.2024 - -5:07:05.042 PM",
             u"", u"garbage"}) {
        EXPECT_EQ(ParseDateText(text, 0), std::nullopt) << std::string(text.begin(), text.end());
    }
    // The first hour of 1601 east of UTC has no UTC file time; west of UTC it has.
    EXPECT_EQ(ParseDateText(u"01.01.1601 - 12:30:00.000 AM", kTicksPerHour), std::nullopt);
    EXPECT_EQ(ParseDateText(u"01.01.1601 - 12:30:00.000 AM", -5 * kTicksPerHour), At(1601, 1, 1, 5, 30));
}

TEST(ListDate, CheckDateHasNoCenturyRule) {
    EXPECT_TRUE(CheckDate(2, 29, 2100));
    EXPECT_TRUE(CheckDate(2, 29, 1900));
    EXPECT_TRUE(CheckDate(2, 29, 0));
    EXPECT_FALSE(CheckDate(2, 29, 2023));
    EXPECT_TRUE(CheckDate(2, 28, 2023));
    EXPECT_TRUE(CheckDate(12, 31, 10000));
    EXPECT_FALSE(CheckDate(1, 1, 10001));
    EXPECT_FALSE(CheckDate(1, 1, -1));
    EXPECT_FALSE(CheckDate(4, 31, 2024));
    EXPECT_TRUE(CheckDate(5, 31, 2024));
    EXPECT_FALSE(CheckDate(1, 0, 2024));
    EXPECT_FALSE(CheckDate(0, 1, 2024));
    EXPECT_FALSE(CheckDate(13, 1, 2024));
}

}  // namespace
}  // namespace qm
