#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/timestamp/calendar.h"
#include "instant_at.h"
#include "core/timestamp/time_format.h"

namespace qm {
namespace {

// Friday, 5 January 2024, 14:07:05.042 UTC (plus a sub-millisecond remainder).
constexpr std::uint64_t kFriday = 133'489'372'250'420'000;
constexpr std::uint64_t kFridayPlus = kFriday + 1'234;


std::u16string Expand(std::uint64_t instant, std::u16string_view format, LocalOffset offset = 0,
                      std::size_t capacity = 4096) {
    std::vector<char16_t> out(capacity + 1, u'#');  // one guard unit past the capacity
    const std::size_t length = ExpandTimeFormat(instant, format, offset, out.data(), capacity);
    EXPECT_EQ(out[capacity], u'#') << "wrote past the capacity";
    if (capacity == 0) return u"<nothing>";
    EXPECT_LT(length, capacity);
    EXPECT_EQ(out[length], u'\0');
    return std::u16string(out.data(), length);
}

TEST(TimeFormat, EveryTokenOnTheFixedInstant) {
    const std::pair<std::u16string_view, std::u16string_view> table[] = {
        {u"unix", u"1704463625"}, {u"win32", u"133489372250421234"},
        {u"WeekDay", u"Friday"}, {u"weekday", u"friday"}, {u"WEEKDAY", u"FRIDAY"},
        {u"Wd", u"Fri"}, {u"wd", u"fri"}, {u"WD", u"FRI"},
        {u"Month", u"January"}, {u"month", u"january"}, {u"MONTH", u"JANUARY"},
        {u"Mon", u"Jan"}, {u"mon", u"jan"}, {u"MON", u"JAN"},
        {u"mn", u"1"}, {u"mnn", u"01"}, {u"d", u"5"}, {u"dd", u"05"},
        {u"yyyy", u"2024"}, {u"yy", u"24"}, {u"h", u"2"}, {u"hh", u"02"}, {u"H", u"14"}, {u"HH", u"14"},
        {u"m", u"7"}, {u"mm", u"07"}, {u"s", u"5"}, {u"ss", u"05"}, {u"ms", u"42"}, {u"mss", u"042"},
        {u"T", u"P"}, {u"t", u"p"}, {u"TT", u"PM"}, {u"tt", u"pm"},
        // wrong case or unknown: vanish
        {u"DD", u""}, {u"Dd", u""}, {u"D", u""}, {u"M", u""}, {u"MM", u""}, {u"YYYY", u""}, {u"Hh", u""},
        {u"Day", u""}, {u"UNIX", u""}, {u"utc", u""}, {u"123456789012345678901", u""},
        {u"1234567890123456789012", u""}, {u"dd ", u""},
    };
    for (const auto& [token, expected] : table) {
        const std::u16string format = u"<%" + std::u16string(token) + u"%>";
        EXPECT_EQ(Expand(kFridayPlus, format), u"<" + std::u16string(expected) + u">")
            << std::string(token.begin(), token.end());
    }
}

TEST(TimeFormat, WorkedExamples) {
    EXPECT_EQ(Expand(kFriday, u"%Mon%%dd%-%yyyy%-%HH%%mm%"), u"Jan05-2024-1407");
    EXPECT_EQ(Expand(kFriday, u"%WeekDay%, %d% %Month% %yyyy% %h%:%mm% %TT%"), u"Friday, 5 January 2024 2:07 PM");
    EXPECT_EQ(Expand(kFriday, u"%yy%%mnn%%dd%_%HH%%mm%%ss%.%mss%"), u"240105_140705.042");
    EXPECT_EQ(Expand(kFriday, u"%yyyy%:%HH%"), u"2024:14") << "removing bad characters is the caller's work";
    EXPECT_EQ(Expand(kFriday, u"%Day%-%dd%"), u"-05");
    EXPECT_EQ(Expand(At(2024, 5, 1, 0), u"%Mon%%mon%%MON%"), u"MaymayMAY");
    EXPECT_EQ(Expand(At(2005, 3, 1, 0), u"%yy%"), u"05");
    EXPECT_EQ(Expand(kFriday, u"\u00e9\u00e0%dd%\U0001F600"), u"\u00e9\u00e0" u"05\U0001F600");
}

TEST(TimeFormat, PercentSignsPairUp) {
    EXPECT_EQ(Expand(kFriday, u""), u"");
    EXPECT_EQ(Expand(kFriday, u"plain text"), u"plain text");
    EXPECT_EQ(Expand(kFriday, u"%"), u"%");
    EXPECT_EQ(Expand(kFriday, u"%%"), u"%");
    EXPECT_EQ(Expand(kFriday, u"%%%"), u"%%");
    EXPECT_EQ(Expand(kFriday, u"%%%%"), u"%%");
    EXPECT_EQ(Expand(kFriday, u"100%%"), u"100%");
    EXPECT_EQ(Expand(kFriday, u"%dd%%"), u"05%");
    EXPECT_EQ(Expand(kFriday, u"a%b"), u"a%b");
    EXPECT_EQ(Expand(kFriday, u"%dd%yyyy%"), u"05yyyy%");
    EXPECT_EQ(Expand(kFriday, u"x%dd%y%zz"), u"x05y%zz");
    EXPECT_EQ(Expand(kFriday, std::u16string_view(u"%dd%\0%yyyy%", 11)), u"05") << "the format ends at a zero unit";
}

TEST(TimeFormat, HoursOnBothClocks) {
    struct Case { int hour; std::u16string_view expected; };
    for (const Case& c : {Case{0, u"12 12 0 00 A a AM am"}, Case{1, u"1 01 1 01 A a AM am"},
                          Case{11, u"11 11 11 11 A a AM am"}, Case{12, u"12 12 12 12 P p PM pm"},
                          Case{13, u"1 01 13 13 P p PM pm"}, Case{23, u"11 11 23 23 P p PM pm"}}) {
        EXPECT_EQ(Expand(At(2024, 1, 5, c.hour, 30), u"%h% %hh% %H% %HH% %T% %t% %TT% %tt%"), c.expected)
            << "hour " << c.hour;
    }
}

TEST(TimeFormat, LocalTimeUsesTheOffsetInForceNow) {
    const LocalOffset summer = 2 * kTicksPerHour;  // Berlin in summer
    // A January instant (15:07 on Berlin's clock then) shown while summer time is in force.
    EXPECT_EQ(Expand(kFriday, u"%HH%:%mm%", summer), u"16:07");
    EXPECT_EQ(Expand(kFriday, u"%utc%%HH%", summer), u"14");
    EXPECT_EQ(Expand(kFriday, u"%HH%utc%", summer), u"14utc%") << "%utc% found by search, not by pairing";
    EXPECT_EQ(Expand(kFriday, u"%dd% %HH%", -15 * kTicksPerHour), u"04 23") << "the date moves too";
    EXPECT_EQ(Expand(kFridayPlus, u"%unix% %win32%", summer), u"1704463625 133489372250421234");
    EXPECT_EQ(Expand(kFridayPlus, u"%unix% %win32%%utc%", summer), u"1704463625 133489372250421234");
}

TEST(TimeFormat, InstantsAtTheEdges) {
    EXPECT_EQ(Expand(0, u"%unix% %win32% %yyyy%"), u"1833029933770 0 1601") << "unsigned wrap before 1970";
    EXPECT_EQ(Expand(At(10000, 3, 1, 9), u"%yyyy% %yy% %mnn%%dd%"), u"10000 000 0301");
    // Rejected by the calendar: calendar tokens vanish, the numbers stay.
    const std::uint64_t huge = ~std::uint64_t{0};
    EXPECT_EQ(Expand(huge, u"[%yyyy%%TT%%Month%] %win32%"), u"[] 18446744073709551615");
    EXPECT_EQ(Expand(0, u"[%HH%]", -5 * kTicksPerHour), u"[]") << "local time before 1601";
    EXPECT_EQ(Expand(0, u"[%HH%]%utc%", -5 * kTicksPerHour), u"[00]");
}

TEST(TimeFormat, OverLongResultEndsAtAWholePiece) {
    const std::u16string_view format = u"ab%win32%-%Month%";  // pieces: ab | 133489372250420000 | - | January
    EXPECT_EQ(Expand(kFriday, format, 0, 29), u"ab133489372250420000-January");
    EXPECT_EQ(Expand(kFriday, format, 0, 28), u"ab133489372250420000-");
    EXPECT_EQ(Expand(kFriday, format, 0, 22), u"ab133489372250420000-");
    EXPECT_EQ(Expand(kFriday, format, 0, 21), u"ab133489372250420000");
    EXPECT_EQ(Expand(kFriday, format, 0, 20), u"ab") << "a number is never cut";
    EXPECT_EQ(Expand(kFriday, u"%win32%%dd%", 0, 18), u"") << "later pieces do not fill the gap";
    EXPECT_EQ(Expand(kFriday, format, 0, 1), u"");
    EXPECT_EQ(Expand(kFriday, format, 0, 0), u"<nothing>");

    // The longest result a 260-unit format can give fits the callers' 1001 units.
    std::u16string longest(1, u'x');
    for (int i = 0; i < 37; ++i) longest += u"%win32%";
    ASSERT_EQ(longest.size(), 260u);
    EXPECT_EQ(Expand(~std::uint64_t{0}, longest, 0, 1001).size(), 1u + 37 * 20);
}

}  // namespace
}  // namespace qm
