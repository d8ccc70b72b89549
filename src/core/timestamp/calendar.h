#pragma once
// Conversion between a 64-bit file time (100 ns units since 1601-01-01 00:00 UTC)
// and calendar fields, with the acceptance rules of the Windows calendar
// functions, so that the core and the platform agree on every input.
#include <cstdint>
#include <optional>

namespace qm {

// The platform's SYSTEMTIME, field for field.
struct CalendarFields {
    std::uint16_t year = 0;
    std::uint16_t month = 0;      // 1..12
    std::uint16_t dayOfWeek = 0;  // 0 = Sunday .. 6 = Saturday
    std::uint16_t day = 0;        // 1..31
    std::uint16_t hour = 0;       // 0..23
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t millisecond = 0;

    friend bool operator==(const CalendarFields&, const CalendarFields&) = default;
};

// Gregorian leap-year rule (2000 is one, 2100 is not).
constexpr bool IsGregorianLeapYear(unsigned year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Days of a month in the Gregorian calendar; 0 for a month outside 1..12.
unsigned GregorianMonthLength(unsigned year, unsigned month);

// As FileTimeToSystemTime: none for 2^63 and above; the part below one
// millisecond is dropped.
std::optional<CalendarFields> CalendarFromFileTime(std::uint64_t fileTime);

// As SystemTimeToFileTime: none for a year outside 1601..30827, a month outside
// 1..12, a day outside the month (February 29 only in Gregorian leap years), an
// hour above 23, a minute or second above 59, a millisecond above 999.
// The day of week is ignored.
std::optional<std::uint64_t> FileTimeFromCalendar(const CalendarFields& fields);

}  // namespace qm
