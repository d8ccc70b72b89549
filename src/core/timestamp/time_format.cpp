#include "core/timestamp/time_format.h"

#include <array>
#include <optional>

#include "core/timestamp/calendar.h"
#include "core/timestamp/text_piece.h"
#include "core/timestamp/unix_time.h"

namespace qm {

namespace {

constexpr std::array<std::u16string_view, 7> kDayNames{
    u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"};
constexpr std::array<std::u16string_view, 12> kMonthNames{
    u"January", u"February", u"March",     u"April",   u"May",      u"June",
    u"July",    u"August",   u"September", u"October", u"November", u"December"};

enum class LetterCase { AsIs, Lower, Upper };

void ApplyCase(TextPiece& piece, LetterCase letterCase) {
    for (std::size_t i = 0; i < piece.size; ++i) {
        char16_t& u = piece.units[i];
        if (letterCase == LetterCase::Lower && u >= u'A' && u <= u'Z') u = static_cast<char16_t>(u + 32);
        if (letterCase == LetterCase::Upper && u >= u'a' && u <= u'z') u = static_cast<char16_t>(u - 32);
    }
}

TextPiece Name(std::u16string_view name, std::size_t maxUnits, LetterCase letterCase) {
    TextPiece piece;
    piece.Append(name.substr(0, maxUnits));
    ApplyCase(piece, letterCase);
    return piece;
}

TextPiece Number(std::uint64_t value, std::size_t minDigits = 1) {
    TextPiece piece;
    piece.AppendDecimal(value, minDigits);
    return piece;
}

unsigned TwelveHourClock(unsigned hour) {
    if (hour == 0) return 12;
    return hour > 12 ? hour - 12 : hour;
}

// A token that names a calendar field, from the fields (always present here).
std::optional<TextPiece> CalendarToken(std::u16string_view token, const CalendarFields& f) {
    constexpr std::size_t kWhole = std::u16string_view::npos;
    const std::u16string_view day = kDayNames[f.dayOfWeek % 7];
    const std::u16string_view month = kMonthNames[(f.month + 11) % 12];
    const bool afternoon = f.hour >= 12;

    if (token == u"WeekDay") return Name(day, kWhole, LetterCase::AsIs);
    if (token == u"weekday") return Name(day, kWhole, LetterCase::Lower);
    if (token == u"WEEKDAY") return Name(day, kWhole, LetterCase::Upper);
    if (token == u"Wd") return Name(day, 3, LetterCase::AsIs);
    if (token == u"wd") return Name(day, 3, LetterCase::Lower);
    if (token == u"WD") return Name(day, 3, LetterCase::Upper);
    if (token == u"Month") return Name(month, kWhole, LetterCase::AsIs);
    if (token == u"month") return Name(month, kWhole, LetterCase::Lower);
    if (token == u"MONTH") return Name(month, kWhole, LetterCase::Upper);
    if (token == u"Mon") return Name(month, 3, LetterCase::AsIs);
    if (token == u"mon") return Name(month, 3, LetterCase::Lower);
    if (token == u"MON") return Name(month, 3, LetterCase::Upper);
    if (token == u"mn") return Number(f.month);
    if (token == u"mnn") return Number(f.month, 2);
    if (token == u"d") return Number(f.day);
    if (token == u"dd") return Number(f.day, 2);
    if (token == u"yyyy") return Number(f.year);
    if (token == u"yy") {
        // The year's text without its first two characters, not the year modulo 100.
        const TextPiece year = Number(f.year);
        TextPiece piece;
        if (year.size > 2) piece.Append(year.view().substr(2));
        return piece;
    }
    if (token == u"h") return Number(TwelveHourClock(f.hour));
    if (token == u"hh") return Number(TwelveHourClock(f.hour), 2);
    if (token == u"H") return Number(f.hour);
    if (token == u"HH") return Number(f.hour, 2);
    if (token == u"m") return Number(f.minute);
    if (token == u"mm") return Number(f.minute, 2);
    if (token == u"s") return Number(f.second);
    if (token == u"ss") return Number(f.second, 2);
    if (token == u"ms") return Number(f.millisecond);
    if (token == u"mss") return Number(f.millisecond, 3);
    if (token == u"T") return Name(afternoon ? u"P" : u"A", kWhole, LetterCase::AsIs);
    if (token == u"t") return Name(afternoon ? u"p" : u"a", kWhole, LetterCase::AsIs);
    if (token == u"TT") return Name(afternoon ? u"PM" : u"AM", kWhole, LetterCase::AsIs);
    if (token == u"tt") return Name(afternoon ? u"pm" : u"am", kWhole, LetterCase::AsIs);
    return std::nullopt;
}

// What a token yields; nothing for an unknown token, or for a calendar token
// when the calendar rejected the instant.
std::optional<TextPiece> ExpandToken(std::u16string_view token, std::uint64_t instant,
                                     const std::optional<CalendarFields>& fields) {
    if (token == u"unix") return Number(UnixTimeFromFileTime(instant));
    if (token == u"win32") return Number(instant);
    if (!fields) return std::nullopt;
    return CalendarToken(token, *fields);
}

// Appends whole pieces to the caller's buffer until one does not fit.
class BoundedOutput {
public:
    BoundedOutput(char16_t* out, std::size_t capacity) : out_(out), capacity_(capacity) {
        if (capacity_ > 0) out_[0] = u'\0';
    }

    void Append(std::u16string_view piece) {
        if (full_ || piece.empty()) return;
        if (capacity_ == 0 || piece.size() > capacity_ - 1 - length_) {
            full_ = true;
            return;
        }
        for (char16_t unit : piece) out_[length_++] = unit;
        out_[length_] = u'\0';
    }

    std::size_t length() const { return length_; }

private:
    char16_t* out_;
    std::size_t capacity_;
    std::size_t length_ = 0;
    bool full_ = false;
};

}  // namespace

std::size_t ExpandTimeFormat(std::uint64_t instant, std::u16string_view format,
                             LocalOffset localOffset, char16_t* out, std::size_t capacity) {
    BoundedOutput output(out, capacity);

    const std::size_t zero = format.find(u'\0');
    if (zero != std::u16string_view::npos) format = format.substr(0, zero);

    // "%utc%" is found by a plain search before any token is read, so it
    // switches the zone even where its percent signs pair differently.
    const bool utc = format.find(u"%utc%") != std::u16string_view::npos;
    const std::optional<CalendarFields> fields =
        CalendarFromFileTime(utc ? instant : LocalFromUtc(instant, localOffset));

    std::size_t scan = 0;
    while (scan < format.size()) {
        const std::size_t open = format.find(u'%', scan);
        if (open == std::u16string_view::npos) break;
        const std::size_t close = format.find(u'%', open + 1);
        if (close == std::u16string_view::npos) break;  // a lone "%" is plain text

        output.Append(format.substr(scan, open - scan));
        if (close == open + 1) {
            output.Append(u"%");
        } else if (const auto piece = ExpandToken(format.substr(open + 1, close - open - 1), instant, fields)) {
            output.Append(piece->view());
        }
        scan = close + 1;
    }
    if (scan < format.size()) output.Append(format.substr(scan));
    return output.length();
}

}  // namespace qm
