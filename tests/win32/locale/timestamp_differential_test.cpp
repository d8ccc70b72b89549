// The core's calendar, local shift, list dates and time stamps against the
// platform's own conversions on the same inputs. cmake/extras/timestamp.cmake
// runs these once per time zone (TZ=UTC, Europe/Berlin, America/New_York).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <ctime>
#include <optional>
#include <random>
#include <string>

#include "core/timestamp/calendar.h"
#include "core/timestamp/local_time.h"
#include "win32/locale/clock.h"
#include "win32/locale/time_text.h"

namespace qm {
namespace {

constexpr std::uint64_t kLastOf9999 = 2'650'467'743'999'999'999;
constexpr int kInstants = 20'000;

FILETIME ToFileTime(std::uint64_t v) { return {static_cast<DWORD>(v), static_cast<DWORD>(v >> 32)}; }
std::uint64_t FromFileTime(const FILETIME& ft) {
    return (static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

bool RunningOnWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

std::wstring ZoneName() {
    wchar_t name[128] = {};
    if (GetEnvironmentVariableW(L"TZ", name, 128) >= 128) return {};
    return name;
}

std::optional<CalendarFields> PlatformFields(std::uint64_t instant) {
    const FILETIME ft = ToFileTime(instant);
    SYSTEMTIME st{};
    if (!FileTimeToSystemTime(&ft, &st)) return std::nullopt;
    return CalendarFields{st.wYear, st.wMonth, st.wDayOfWeek, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

std::optional<std::uint64_t> PlatformFileTime(const CalendarFields& f) {
    const SYSTEMTIME st{f.year, f.month, f.dayOfWeek, f.day, f.hour, f.minute, f.second, f.millisecond};
    FILETIME ft{};
    if (!SystemTimeToFileTime(&st, &ft)) return std::nullopt;
    return FromFileTime(ft);
}

std::uint64_t PlatformLocal(std::uint64_t utc) {
    const FILETIME in = ToFileTime(utc);
    FILETIME out{};
    EXPECT_TRUE(FileTimeToLocalFileTime(&in, &out));
    return FromFileTime(out);
}

std::uint64_t PlatformUtc(std::uint64_t local) {
    const FILETIME in = ToFileTime(local);
    FILETIME out{};
    EXPECT_TRUE(LocalFileTimeToFileTime(&in, &out));
    return FromFileTime(out);
}

// Instants spread over 1601..9999, with a share near the ends of the range.
std::uint64_t RandomInstant(std::mt19937_64& random) {
    const std::uint64_t r = random();
    switch (r % 8) {
        case 0: return r % (48 * std::uint64_t{kTicksPerHour});
        case 1: return kLastOf9999 - r % (48 * std::uint64_t{kTicksPerHour});
        default: return r % (kLastOf9999 + 1);
    }
}

std::string Describe(const std::optional<CalendarFields>& f) {
    if (!f) return "rejected";
    char text[80];
    std::snprintf(text, sizeof text, "%u-%u-%u (dow %u) %u:%u:%u.%u", f->year, f->month, f->day, f->dayOfWeek,
                  f->hour, f->minute, f->second, f->millisecond);
    return text;
}

// A zone named in TZ that Wine did not take would leave UTC, and every
// comparison below would then pass for the wrong reason.
TEST(TimeZoneUnderTest, TookEffect) {
    const std::wstring zone = ZoneName();
    const LocalOffset offset = win32::LocalOffsetNow();
    TIME_ZONE_INFORMATION tz{};
    const DWORD which = GetTimeZoneInformation(&tz);
    const LONG bias = tz.Bias + (which == TIME_ZONE_ID_DAYLIGHT ? tz.DaylightBias : tz.StandardBias);
    EXPECT_EQ(offset, -static_cast<LocalOffset>(bias) * 600'000'000);

    if (zone == L"UTC") {
        EXPECT_EQ(offset, 0);
    } else if (zone == L"Europe/Berlin") {
        EXPECT_TRUE(offset == kTicksPerHour || offset == 2 * kTicksPerHour) << offset;
    } else if (zone == L"America/New_York") {
        EXPECT_TRUE(offset == -5 * kTicksPerHour || offset == -4 * kTicksPerHour) << offset;
    } else {
        GTEST_SKIP() << "TZ names no zone this test knows; the offset in force is " << offset / 600'000'000
                     << " min";
    }
}

TEST(CalendarDifferential, FileTimeToFields) {
    std::mt19937_64 random(20240105);
    for (int i = 0; i < kInstants; ++i) {
        const std::uint64_t instant = RandomInstant(random);
        ASSERT_EQ(Describe(CalendarFromFileTime(instant)), Describe(PlatformFields(instant))) << instant;
    }
    for (std::uint64_t instant : {std::uint64_t{0}, (std::uint64_t{1} << 63) - 1, std::uint64_t{1} << 63,
                                  ~std::uint64_t{0}, std::uint64_t{9'223'149'888'000'000'000}}) {
        EXPECT_EQ(Describe(CalendarFromFileTime(instant)), Describe(PlatformFields(instant))) << instant;
    }
}

TEST(CalendarDifferential, LocalShiftBothWays) {
    const LocalOffset offset = win32::LocalOffsetNow();
    std::mt19937_64 random(7);
    for (int i = 0; i < kInstants; ++i) {
        // The whole 64-bit range, so that the wrap near 0 and 2^64 is compared too.
        const std::uint64_t instant = i % 3 == 0 ? RandomInstant(random) : random();
        ASSERT_EQ(LocalFromUtc(instant, offset), PlatformLocal(instant)) << instant;
        ASSERT_EQ(UtcFromLocal(instant, offset), PlatformUtc(instant)) << instant;
    }
    for (std::uint64_t instant : {std::uint64_t{0}, std::uint64_t{1}, ~std::uint64_t{0}, std::uint64_t{1} << 63}) {
        EXPECT_EQ(LocalFromUtc(instant, offset), PlatformLocal(instant)) << instant;
        EXPECT_EQ(UtcFromLocal(instant, offset), PlatformUtc(instant)) << instant;
    }
}

// Wine 8's calendar accepts February 29 of every year and years up to 32767;
// Windows rejects both, and so does the core. Those inputs are compared on
// Windows only (see KnownWineDivergences).
bool WineDivergesOn(const CalendarFields& f) {
    const bool nonLeapFebruary29 = f.month == 2 && f.day == 29 && !IsGregorianLeapYear(f.year);
    return RunningOnWine() && (nonLeapFebruary29 || f.year > 30827);
}

TEST(CalendarDifferential, FieldsToFileTime) {
    std::mt19937_64 random(1601);
    int compared = 0;
    for (int i = 0; i < kInstants; ++i) {
        // Fields the calendar made from an instant: always accepted.
        const CalendarFields valid = *CalendarFromFileTime(RandomInstant(random));
        ASSERT_EQ(FileTimeFromCalendar(valid), PlatformFileTime(valid)) << Describe(valid);

        // Fields around every boundary, mostly invalid.
        static const std::uint16_t years[] = {0, 1600, 1601, 1900, 2000, 2023, 2024, 2100, 9999, 10000, 30827, 30828, 32767, 32768, 65535};
        CalendarFields f;
        f.year = years[random() % std::size(years)];
        f.month = static_cast<std::uint16_t>(random() % 14);
        f.day = static_cast<std::uint16_t>(random() % 33);
        f.hour = static_cast<std::uint16_t>(random() % 26);
        f.minute = static_cast<std::uint16_t>(random() % 62);
        f.second = static_cast<std::uint16_t>(random() % 62);
        f.millisecond = static_cast<std::uint16_t>(random() % 1002);
        f.dayOfWeek = static_cast<std::uint16_t>(random() % 10);
        if (i % 2 == 0) f.hour %= 24, f.minute %= 60, f.second %= 60, f.millisecond %= 1000;
        if (WineDivergesOn(f)) continue;
        ASSERT_EQ(FileTimeFromCalendar(f), PlatformFileTime(f)) << Describe(f);
        ++compared;
    }
    EXPECT_GT(compared, kInstants / 2);
}

TEST(CalendarDifferential, KnownWineDivergences) {
    const CalendarFields february29of2100{2100, 2, 0, 29, 0, 0, 0, 0};
    const CalendarFields year30828{30828, 1, 0, 1, 0, 0, 0, 0};
    EXPECT_EQ(FileTimeFromCalendar(february29of2100), std::nullopt);
    EXPECT_EQ(FileTimeFromCalendar(year30828), std::nullopt);
    if (RunningOnWine()) {
        GTEST_SKIP() << "Wine 8 accepts February 29 of every year and years after 30827 in "
                        "SystemTimeToFileTime; Windows and the core reject them";
    }
    EXPECT_EQ(PlatformFileTime(february29of2100), std::nullopt);
    EXPECT_EQ(PlatformFileTime(year30828), std::nullopt);
}

// The list date text as the platform's own conversions make it.
std::u16string PlatformListDate(std::uint64_t instant) {
    const auto f = PlatformFields(PlatformLocal(instant));
    if (!f) return u"";
    const int hour12 = f->hour == 0 ? 12 : (f->hour > 12 ? f->hour - 12 : f->hour);
    char text[64];
    std::snprintf(text, sizeof text, "%02i.%02i.%04i - %02i:%02i:%02i.%03i %s", f->month, f->day, f->year, hour12,
                  f->minute, f->second, f->millisecond, f->hour > 11 ? "PM" : "AM");
    return std::u16string(text, text + std::char_traits<char>::length(text));
}

TEST(ListDateDifferential, WriteAndReadBackMatchThePlatform) {
    std::mt19937_64 random(42);
    for (int i = 0; i < kInstants; ++i) {
        const std::uint64_t instant = RandomInstant(random);
        const ListDateText text = win32::FormatListDate(instant);
        ASSERT_EQ(text.str(), PlatformListDate(instant)) << instant;

        // Reading back: the local calendar fields through SystemTimeToFileTime
        // and LocalFileTimeToFileTime, as the platform would.
        const auto local = PlatformFields(PlatformLocal(instant));
        std::optional<std::uint64_t> expected;
        if (local) {
            const auto localTime = PlatformFileTime(*local);
            if (localTime && PlatformUtc(*localTime) < (std::uint64_t{1} << 63)) expected = PlatformUtc(*localTime);
        }
        ASSERT_EQ(win32::ParseDateText(text.view()), expected) << instant;
    }
}

TEST(TimeFormatDifferential, CalendarTokensMatchThePlatform) {
    const std::u16string_view format = u"%yyyy%-%mnn%-%dd% %HH%:%mm%:%ss%.%mss% %Wd%";
    const char* days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::mt19937_64 random(99);
    for (int i = 0; i < kInstants / 4; ++i) {
        const std::uint64_t instant = RandomInstant(random);
        for (bool utc : {false, true}) {
            const auto f = PlatformFields(utc ? instant : PlatformLocal(instant));
            char text[64] = {};
            if (f) {
                std::snprintf(text, sizeof text, "%i-%02i-%02i %02i:%02i:%02i.%03i %s", f->year, f->month, f->day,
                              f->hour, f->minute, f->second, f->millisecond, days[f->dayOfWeek]);
            } else {
                std::snprintf(text, sizeof text, "-- ::. ");
            }
            const std::u16string expected(text, text + std::char_traits<char>::length(text));
            char16_t out[64];
            const std::u16string fullFormat = std::u16string(format) + (utc ? u"%utc%" : u"");
            const std::size_t length = win32::ExpandTimeFormat(instant, fullFormat, out, 64);
            ASSERT_EQ(std::u16string(out, length), expected) << instant << (utc ? " utc" : " local");
        }
    }
}

TEST(Clock, CurrentTimesAgreeWithThePlatformClock) {
    FILETIME before{}, after{};
    GetSystemTimeAsFileTime(&before);
    const std::uint64_t fileTime = win32::CurrentFileTime();
    const std::uint64_t unixTime = win32::CurrentUnixTime();
    GetSystemTimeAsFileTime(&after);
    EXPECT_LE(FromFileTime(before), fileTime);
    EXPECT_LE(fileTime, FromFileTime(after));
    const std::uint64_t crtUnixTime = static_cast<std::uint64_t>(std::time(nullptr));
    EXPECT_LE(unixTime > crtUnixTime ? unixTime - crtUnixTime : crtUnixTime - unixTime, 1u);
}

}  // namespace
}  // namespace qm
