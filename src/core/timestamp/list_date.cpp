#include "core/timestamp/list_date.h"

#include <limits>

#include "core/timestamp/calendar.h"
#include "core/timestamp/text_piece.h"

namespace qm {

namespace {

// Read positions of the 28-unit layout.
constexpr std::size_t kMonthAt = 0;
constexpr std::size_t kDayAt = 3;
constexpr std::size_t kYearAt = 6;
constexpr std::size_t kAfterYearAt = 10;  // first unit after a four-digit year
constexpr std::size_t kHourAt = 13;
constexpr std::size_t kMinuteAt = 16;
constexpr std::size_t kSecondAt = 19;
constexpr std::size_t kMillisecondAt = 22;
constexpr std::size_t kMarkerAt = 26;

bool IsDigit(char16_t unit) { return unit >= u'0' && unit <= u'9'; }

// A decimal number from `at` on: blanks skipped, an optional sign, the digits up
// to the first non-digit; 0 when there are none. Saturates instead of overflowing.
long long ReadNumber(std::u16string_view text, std::size_t at) {
    constexpr long long kLimit = std::numeric_limits<int>::max();
    std::size_t i = at;
    while (i < text.size() && text[i] == u' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    long long value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > kLimit) value = kLimit;
    }
    return negative ? -value : value;
}

std::u16string_view Marker(std::u16string_view text, std::size_t at) {
    if (at >= text.size()) return {};
    return text.substr(at, 2);
}

// Calendar fields are 16-bit; a value outside that range is no valid field,
// where a plain cast would wrap it into one.
std::optional<std::uint16_t> AsField(long long value) {
    if (value < 0 || value > std::numeric_limits<std::uint16_t>::max()) return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

void AppendDate(TextPiece& text, const CalendarFields& f) {
    text.AppendDecimal(f.month, 2);
    text.Append(u'.');
    text.AppendDecimal(f.day, 2);
    text.Append(u'.');
    text.AppendDecimal(f.year, 4);
}

// The hour on the 12-hour clock: 12 for midnight and noon, 1 to 11 otherwise.
unsigned TwelveHourClock(const CalendarFields& f) {
    if (f.hour == 0) return 12;
    return f.hour > 12 ? f.hour - 12u : f.hour;
}

// Hour and minute on the 12-hour clock; the seconds go between them and the marker.
void AppendClock(TextPiece& text, const CalendarFields& f) {
    text.AppendDecimal(TwelveHourClock(f), 2);
    text.Append(u':');
    text.AppendDecimal(f.minute, 2);
}

std::u16string_view HalfOfDay(const CalendarFields& f) { return f.hour > 11 ? u" PM" : u" AM"; }

}  // namespace

ListDateText FormatListDate(std::uint64_t instant, LocalOffset localOffset) {
    const std::optional<CalendarFields> f = CalendarFromFileTime(LocalFromUtc(instant, localOffset));
    if (!f) return {};
    TextPiece text;
    AppendDate(text, *f);
    text.Append(u" - ");
    AppendClock(text, *f);
    text.Append(u':');
    text.AppendDecimal(f->second, 2);
    text.Append(u'.');
    text.AppendDecimal(f->millisecond, 3);
    text.Append(HalfOfDay(*f));
    return ListDateText(text.view());
}

bool HasListDate(std::uint64_t instant, LocalOffset localOffset) {
    return CalendarFromFileTime(LocalFromUtc(instant, localOffset)).has_value();
}

std::optional<std::uint64_t> ListDateTextOrder(std::uint64_t instant, LocalOffset localOffset) {
    const std::optional<CalendarFields> f = CalendarFromFileTime(LocalFromUtc(instant, localOffset));
    if (!f) return 0;
    if (f->year > 9999) return std::nullopt;
    // Field by field in the text's order, each in bits enough for its largest
    // value; the leading 1 puts every date after the empty text.
    std::uint64_t order = 1;
    const auto then = [&order](unsigned value, int bits) { order = order << bits | value; };
    then(f->month, 4);
    then(f->day, 5);
    then(f->year, 14);
    then(TwelveHourClock(*f), 4);
    then(f->minute, 6);
    then(f->second, 6);
    then(f->millisecond, 10);
    then(f->hour > 11 ? 1 : 0, 1);
    return order;
}

ListDateText FormatListDateToMinute(std::uint64_t instant, LocalOffset localOffset) {
    const std::optional<CalendarFields> f = CalendarFromFileTime(LocalFromUtc(instant, localOffset));
    if (!f) return {};
    TextPiece text;
    AppendDate(text, *f);
    text.Append(u" at ");
    AppendClock(text, *f);
    text.Append(HalfOfDay(*f));
    return ListDateText(text.view());
}

bool CheckDate(int month, int day, int year) {
    if (year < 0 || year > 10000 || month < 1 || month > 12 || day < 1) return false;
    int length = 31;
    if (month == 4 || month == 6 || month == 9 || month == 11) length = 30;
    if (month == 2) length = year % 4 == 0 ? 29 : 28;
    return day <= length;
}

std::optional<std::uint64_t> ParseDateText(std::u16string_view text, LocalOffset localOffset) {
    const std::size_t zero = text.find(u'\0');
    if (zero != std::u16string_view::npos) text = text.substr(0, zero);

    const long long month = ReadNumber(text, kMonthAt);
    const long long day = ReadNumber(text, kDayAt);
    const long long year = ReadNumber(text, kYearAt);
    if (!CheckDate(static_cast<int>(month), static_cast<int>(day), static_cast<int>(year))) return std::nullopt;

    // FormatListDate writes year 10000 with five digits; everything after the
    // year then sits one unit later, and reading the plain positions would
    // restore a wrong time.
    const std::size_t shift = text.size() > kAfterYearAt && IsDigit(text[kAfterYearAt]) ? 1 : 0;

    long long hour = ReadNumber(text, kHourAt + shift);
    const std::u16string_view marker = Marker(text, kMarkerAt + shift);
    if (hour == 12 && marker == u"AM") hour = 0;
    if (hour >= 0 && hour < 12 && marker == u"PM") hour += 12;

    const auto yearField = AsField(year);
    const auto hourField = AsField(hour);
    const auto minuteField = AsField(ReadNumber(text, kMinuteAt + shift));
    const auto secondField = AsField(ReadNumber(text, kSecondAt + shift));
    const auto millisecondField = AsField(ReadNumber(text, kMillisecondAt + shift));
    if (!yearField || !hourField || !minuteField || !secondField || !millisecondField) return std::nullopt;

    CalendarFields f;
    f.year = *yearField;
    f.month = static_cast<std::uint16_t>(month);
    f.day = static_cast<std::uint16_t>(day);
    f.hour = *hourField;
    f.minute = *minuteField;
    f.second = *secondField;
    f.millisecond = *millisecondField;
    const std::optional<std::uint64_t> local = FileTimeFromCalendar(f);
    if (!local) return std::nullopt;

    // A local time in the first hours of 1601, east of UTC, has no UTC file
    // time; the platform's subtraction would wrap to a value no file can hold.
    const std::uint64_t utc = UtcFromLocal(*local, localOffset);
    if (utc >= (std::uint64_t{1} << 63)) return std::nullopt;
    return utc;
}

}  // namespace qm
