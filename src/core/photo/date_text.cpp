// Date texts as the formats write them. Fields sit at fixed places, every
// field is checked by the calendar, and a zone moves the time to UTC and is
// kept, so that the camera's own clock can still be shown.
#include <optional>

#include "core/photo/readers.h"
#include "core/timestamp/calendar.h"

namespace qm {

namespace {

constexpr std::int64_t kTicksPerMinute = 600'000'000;

// Writers pad texts with NULs or blanks.
std::string_view TrimEnd(std::string_view text) {
    const std::size_t end = text.find_first_of('\0');
    text = text.substr(0, end);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

std::optional<unsigned> Digits(std::string_view text, std::size_t at, std::size_t count) {
    if (at > text.size() || count > text.size() - at) return std::nullopt;
    unsigned value = 0;
    for (char c : text.substr(at, count)) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value;
}

// "YYYY?MM?DD?hh:mm:ss", `separator` between the date's fields and `middle`
// between date and time.
std::optional<CalendarFields> Fields(std::string_view text, char separator, char middle) {
    if (text.size() < 19 || text[4] != separator || text[7] != separator || text[10] != middle ||
        text[13] != ':' || text[16] != ':')
        return std::nullopt;
    const auto year = Digits(text, 0, 4), month = Digits(text, 5, 2), day = Digits(text, 8, 2);
    const auto hour = Digits(text, 11, 2), minute = Digits(text, 14, 2), second = Digits(text, 17, 2);
    if (!year || !month || !day || !hour || !minute || !second) return std::nullopt;
    CalendarFields f;
    f.year = static_cast<std::uint16_t>(*year), f.month = static_cast<std::uint16_t>(*month);
    f.day = static_cast<std::uint16_t>(*day), f.hour = static_cast<std::uint16_t>(*hour);
    f.minute = static_cast<std::uint16_t>(*minute), f.second = static_cast<std::uint16_t>(*second);
    return f;
}

// The leading digits of a fraction of a second, cut to milliseconds: "5" is 500.
std::uint16_t Milliseconds(std::string_view digits) {
    unsigned ms = 0;
    unsigned scale = 100;
    for (std::size_t i = 0; i < digits.size() && scale > 0 && digits[i] >= '0' && digits[i] <= '9'; ++i) {
        ms += static_cast<unsigned>(digits[i] - '0') * scale;
        scale /= 10;
    }
    return static_cast<std::uint16_t>(ms);
}

// "Z", "+hh:mm", "+hhmm" or "+hh" as minutes east of UTC.
std::optional<int> Zone(std::string_view text) {
    if (text == "Z") return 0;
    if (text.size() < 3 || (text[0] != '+' && text[0] != '-')) return std::nullopt;
    const auto hours = Digits(text, 1, 2);
    std::optional<unsigned> minutes = 0u;
    if (text.size() == 6 && text[3] == ':') {
        minutes = Digits(text, 4, 2);
    } else if (text.size() == 5) {
        minutes = Digits(text, 3, 2);
    } else if (text.size() != 3) {
        return std::nullopt;
    }
    if (!hours || !minutes || *hours > 23 || *minutes > 59) return std::nullopt;
    const int total = static_cast<int>(*hours * 60 + *minutes);
    return text[0] == '-' ? -total : total;
}

std::optional<DateTaken> Compose(const CalendarFields& fields, std::optional<int> zone) {
    const std::optional<std::uint64_t> wallClock = FileTimeFromCalendar(fields);
    if (!wallClock) return std::nullopt;
    if (!zone) return DateTaken{*wallClock, false, std::nullopt};
    // The zone is the offset of the camera's local time; one that moves the
    // time out of the calendar's range wraps to 2^63 or above.
    const std::uint64_t utc = UtcFromLocal(*wallClock, LocalOffset{*zone} * kTicksPerMinute);
    if (utc >= (std::uint64_t{1} << 63)) return std::nullopt;
    return DateTaken{utc, true, static_cast<std::int16_t>(*zone)};
}

}  // namespace

std::optional<DateTaken> DateFromExifText(std::string_view dateTime, std::string_view subSecond,
                                          std::string_view zone) {
    std::optional<CalendarFields> fields = Fields(TrimEnd(dateTime), ':', ' ');
    if (!fields) return std::nullopt;
    fields->millisecond = Milliseconds(subSecond);
    return Compose(*fields, Zone(TrimEnd(zone)));
}

std::optional<DateTaken> DateFromIsoText(std::string_view text) {
    text = TrimEnd(text);
    std::optional<CalendarFields> fields = Fields(text, '-', 'T');
    if (!fields) return std::nullopt;
    std::string_view rest = text.substr(19);
    if (!rest.empty() && (rest[0] == '.' || rest[0] == ',')) {
        const std::size_t digits = rest.find_first_not_of("0123456789", 1);
        const std::size_t end = digits == std::string_view::npos ? rest.size() : digits;
        if (end == 1) return std::nullopt;
        fields->millisecond = Milliseconds(rest.substr(1, end - 1));
        rest = rest.substr(end);
    }
    if (rest.empty()) return Compose(*fields, std::nullopt);
    const std::optional<int> zone = Zone(rest);
    if (!zone) return std::nullopt;
    return Compose(*fields, zone);
}

}  // namespace qm
