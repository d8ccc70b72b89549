#pragma once
// The date text of the file list, "MM.DD.YYYY - hh:mm:ss.mss AM", which is at
// once what the list shows and what undo reads back.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/text/fixed_text.h"
#include "core/timestamp/local_time.h"

namespace qm {

// 28 units for years 1601..9999, one more for a five-digit year, plus the zero unit.
constexpr std::size_t kListDateUnits = 28;
using ListDateText = FixedText<kListDateUnits + 2>;

// Local time (the instant shifted by `localOffset`, the offset in force now)
// written as "%02i.%02i.%04i - %02i:%02i:%02i.%03i %s": month, day, year, hour
// on the 12-hour clock, minute, second, millisecond, "AM" or "PM".
// An instant that the calendar rejects after the shift (2^63 and above) gives
// the empty text, which ParseDateText turns into no time at all.
ListDateText FormatListDate(std::uint64_t instant, LocalOffset localOffset);

// Whether FormatListDate gives a text, without making it.
bool HasListDate(std::uint64_t instant, LocalOffset localOffset);

// A number that orders instants as their list date texts order (month first,
// then day, year, hour on the 12-hour clock, ..., "AM" before "PM"), so that a
// date column sorts as its text without a text made: 0 for the empty text,
// none for a five-digit year, whose text orders otherwise.
std::optional<std::uint64_t> ListDateTextOrder(std::uint64_t instant, LocalOffset localOffset);

// The same date and time for a sentence, to the minute: "12.07.2026 at 07:40 PM",
// so that a message never shows a date in another order than the list does.
// Empty where FormatListDate is.
ListDateText FormatListDateToMinute(std::uint64_t instant, LocalOffset localOffset);

// The calendar check of a list date: year 0..10000, month 1..12, day within the
// month, where February has 29 days in every year divisible by 4 (no century rule).
bool CheckDate(int month, int day, int year);

// A list date text back to a UTC file time, taking it as local time with
// `localOffset`. Fields are read at the fixed positions of the 28-unit layout
// (a five-digit year moves the fields after it by one). None when CheckDate
// fails, the calendar rejects the fields (a year before 1601, February 29 of a
// year that is not a Gregorian leap year, an hour above 23, ...), or the local
// time lies so close to 1601 that UTC would fall before it.
std::optional<std::uint64_t> ParseDateText(std::u16string_view text, LocalOffset localOffset);

}  // namespace qm
