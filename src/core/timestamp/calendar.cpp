#include "core/timestamp/calendar.h"

#include <array>

namespace qm {

namespace {

constexpr std::uint64_t kTicksPerMillisecond = 10'000;
constexpr std::uint64_t kMillisecondsPerDay = 86'400'000;
constexpr std::uint64_t kDaysPer400Years = 146'097;
constexpr std::uint64_t kDaysPer100Years = 36'524;
constexpr std::uint64_t kDaysPer4Years = 1'461;
constexpr std::uint64_t kDaysPerYear = 365;
constexpr unsigned kFirstYear = 1601;   // 1601-01-01 starts a 400-year cycle
constexpr unsigned kLastYear = 30827;   // the platform's last accepted year
constexpr unsigned kWeekdayOfDayZero = 1;  // 1601-01-01 was a Monday

constexpr std::array<unsigned, 12> kMonthLengths{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Days from 1601-01-01 to January 1 of the given year (year >= 1601).
std::uint64_t DaysBeforeYear(unsigned year) {
    const std::uint64_t y = year - kFirstYear;
    return y * kDaysPerYear + y / 4 - y / 100 + y / 400;
}

}  // namespace

unsigned GregorianMonthLength(unsigned year, unsigned month) {
    if (month < 1 || month > 12) return 0;
    if (month == 2 && IsGregorianLeapYear(year)) return 29;
    return kMonthLengths[month - 1];
}

std::optional<CalendarFields> CalendarFromFileTime(std::uint64_t fileTime) {
    if (fileTime >= (std::uint64_t{1} << 63)) return std::nullopt;

    const std::uint64_t totalMs = fileTime / kTicksPerMillisecond;
    std::uint64_t days = totalMs / kMillisecondsPerDay;
    std::uint64_t msOfDay = totalMs % kMillisecondsPerDay;

    CalendarFields f;
    f.dayOfWeek = static_cast<std::uint16_t>((days + kWeekdayOfDayZero) % 7);

    // Peel off 400-, 100-, 4- and 1-year blocks; the last block of each kind
    // is capped because only it holds the extra leap day.
    const std::uint64_t n400 = days / kDaysPer400Years;
    days %= kDaysPer400Years;
    std::uint64_t n100 = days / kDaysPer100Years;
    if (n100 == 4) n100 = 3;
    days -= n100 * kDaysPer100Years;
    const std::uint64_t n4 = days / kDaysPer4Years;
    days %= kDaysPer4Years;
    std::uint64_t n1 = days / kDaysPerYear;
    if (n1 == 4) n1 = 3;
    days -= n1 * kDaysPerYear;

    const unsigned year = static_cast<unsigned>(kFirstYear + n400 * 400 + n100 * 100 + n4 * 4 + n1);
    unsigned month = 1;
    while (days >= GregorianMonthLength(year, month)) {
        days -= GregorianMonthLength(year, month);
        ++month;
    }

    f.year = static_cast<std::uint16_t>(year);
    f.month = static_cast<std::uint16_t>(month);
    f.day = static_cast<std::uint16_t>(days + 1);
    f.millisecond = static_cast<std::uint16_t>(msOfDay % 1000);
    msOfDay /= 1000;
    f.second = static_cast<std::uint16_t>(msOfDay % 60);
    msOfDay /= 60;
    f.minute = static_cast<std::uint16_t>(msOfDay % 60);
    f.hour = static_cast<std::uint16_t>(msOfDay / 60);
    return f;
}

std::optional<std::uint64_t> FileTimeFromCalendar(const CalendarFields& f) {
    if (f.year < kFirstYear || f.year > kLastYear) return std::nullopt;
    if (f.month < 1 || f.month > 12) return std::nullopt;
    if (f.day < 1 || f.day > GregorianMonthLength(f.year, f.month)) return std::nullopt;
    if (f.hour > 23 || f.minute > 59 || f.second > 59 || f.millisecond > 999) return std::nullopt;

    std::uint64_t days = DaysBeforeYear(f.year);
    for (unsigned m = 1; m < f.month; ++m) days += GregorianMonthLength(f.year, m);
    days += f.day - 1u;

    const std::uint64_t ms = days * kMillisecondsPerDay +
                             ((f.hour * 60u + f.minute) * 60u + f.second) * std::uint64_t{1000} +
                             f.millisecond;
    return ms * kTicksPerMillisecond;
}

}  // namespace qm
