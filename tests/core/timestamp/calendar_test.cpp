#include <gtest/gtest.h>

#include <random>

#include "core/timestamp/calendar.h"
#include "core/timestamp/local_time.h"

namespace qm {
namespace {

constexpr std::uint64_t kTicksPerDay = 864'000'000'000;
constexpr std::uint64_t k2Pow63 = std::uint64_t{1} << 63;

CalendarFields Fields(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0, int dow = 0) {
    return {static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(mo), static_cast<std::uint16_t>(dow),
            static_cast<std::uint16_t>(d), static_cast<std::uint16_t>(h),  static_cast<std::uint16_t>(mi),
            static_cast<std::uint16_t>(s), static_cast<std::uint16_t>(ms)};
}

TEST(Calendar, KnownInstants) {
    EXPECT_EQ(CalendarFromFileTime(0), Fields(1601, 1, 1, 0, 0, 0, 0, 1));  // a Monday
    EXPECT_EQ(CalendarFromFileTime(116'444'736'000'000'000), Fields(1970, 1, 1, 0, 0, 0, 0, 4));
    EXPECT_EQ(CalendarFromFileTime(133'489'372'250'429'999), Fields(2024, 1, 5, 14, 7, 5, 42, 5));
    EXPECT_EQ(CalendarFromFileTime(k2Pow63 - 1), Fields(30828, 9, 14, 2, 48, 5, 477, 4));
    EXPECT_EQ(CalendarFromFileTime(k2Pow63), std::nullopt);
    EXPECT_EQ(CalendarFromFileTime(~std::uint64_t{0}), std::nullopt);
}

// Walks day by day from 1601 to 3000 and checks each date follows the one
// before it, with the weekday advancing and the conversion back agreeing.
TEST(Calendar, EveryDayFollowsThePreviousOne) {
    CalendarFields previous = *CalendarFromFileTime(0);
    for (std::uint64_t day = 1; previous.year < 3000; ++day) {
        const std::uint64_t instant = day * kTicksPerDay + 12 * std::uint64_t{kTicksPerHour};
        const CalendarFields f = *CalendarFromFileTime(instant);
        const unsigned length = GregorianMonthLength(previous.year, previous.month);
        CalendarFields expected = previous;
        expected.dayOfWeek = static_cast<std::uint16_t>((previous.dayOfWeek + 1) % 7);
        expected.hour = 12;
        if (previous.day < length) {
            ++expected.day;
        } else if (previous.month < 12) {
            expected.day = 1, ++expected.month;
        } else {
            expected.day = 1, expected.month = 1, ++expected.year;
        }
        ASSERT_EQ(f, expected) << "day " << day;
        ASSERT_EQ(FileTimeFromCalendar(f), instant) << "day " << day;
        previous = f;
    }
}

// Up to the end of 30827, the platform's last year in the reverse direction.
TEST(Calendar, RoundTripDropsOnlyTheSubMillisecondPart) {
    constexpr std::uint64_t k30828 = 9'223'149'888'000'000'000;
    EXPECT_EQ(FileTimeFromCalendar(*CalendarFromFileTime(k30828)), std::nullopt);
    std::mt19937_64 random(7);
    for (int i = 0; i < 100'000; ++i) {
        const std::uint64_t instant = random() % k30828;
        const auto f = CalendarFromFileTime(instant);
        ASSERT_TRUE(f);
        ASSERT_EQ(FileTimeFromCalendar(*f), instant - instant % 10'000) << instant;
    }
}

TEST(Calendar, AcceptsAndRejectsAsThePlatform) {
    EXPECT_EQ(FileTimeFromCalendar(Fields(1601, 1, 1)), 0u);
    EXPECT_EQ(FileTimeFromCalendar(Fields(30827, 12, 31, 23, 59, 59, 999)), 9'223'149'887'999'990'000u);
    EXPECT_TRUE(FileTimeFromCalendar(Fields(2000, 2, 29)));
    EXPECT_TRUE(FileTimeFromCalendar(Fields(2024, 2, 29)));
    EXPECT_EQ(FileTimeFromCalendar(Fields(2024, 1, 1, 0, 0, 0, 0, 9)), FileTimeFromCalendar(Fields(2024, 1, 1)))
        << "the day of week is ignored";

    for (const CalendarFields& bad :
         {Fields(1600, 12, 31, 23, 59, 59, 999), Fields(30828, 1, 1), Fields(65535, 1, 1),
          Fields(2100, 2, 29), Fields(1900, 2, 29), Fields(2023, 2, 29), Fields(2024, 0, 1),
          Fields(2024, 13, 1), Fields(2024, 4, 31), Fields(2024, 1, 0), Fields(2024, 1, 32),
          Fields(2024, 1, 1, 24), Fields(2024, 1, 1, 0, 60), Fields(2024, 1, 1, 0, 0, 60),
          Fields(2024, 1, 1, 0, 0, 0, 1000)}) {
        EXPECT_EQ(FileTimeFromCalendar(bad), std::nullopt)
            << bad.year << "-" << bad.month << "-" << bad.day << " " << bad.hour << ":" << bad.minute << ":"
            << bad.second << "." << bad.millisecond;
    }
}

TEST(LocalTime, ShiftsWrapAsThePlatformDoes) {
    const LocalOffset berlin = kTicksPerHour;
    const LocalOffset newYork = -5 * kTicksPerHour;
    EXPECT_EQ(LocalFromUtc(0, berlin), 36'000'000'000u);
    EXPECT_EQ(LocalFromUtc(0, newYork), 18'446'743'893'709'551'616u);
    EXPECT_EQ(UtcFromLocal(0, berlin), 18'446'744'037'709'551'616u);
    EXPECT_EQ(LocalFromUtc(~std::uint64_t{0}, berlin), 35'999'999'999u);
    EXPECT_EQ(CalendarFromFileTime(LocalFromUtc(0, newYork)), std::nullopt);
    EXPECT_EQ(UtcFromLocal(LocalFromUtc(123'456'789, newYork), newYork), 123'456'789u);
}

}  // namespace
}  // namespace qm
