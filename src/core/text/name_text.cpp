#include "core/text/name_text.h"

#include <algorithm>

#include "core/text/remove_characters.h"

namespace qm {

namespace {
constexpr std::size_t MaximumNumberWidth = 260;
}  // namespace

void ToAsciiUpper(std::u16string& text) {
    for (char16_t& unit : text) unit = AsciiUpper(unit);
}

void ToAsciiLower(std::u16string& text) {
    for (char16_t& unit : text) unit = AsciiLower(unit);
}

int CompareIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const char16_t x = AsciiUpper(a[i]);
        const char16_t y = AsciiUpper(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

void RemoveLeadingDotsAndBlanks(std::u16string& text) {
    const std::size_t first = text.find_first_not_of(u". ");
    text.erase(0, first == std::u16string::npos ? text.size() : first);
}

void CleanNamePart(std::u16string& text) {
    text = RemoveCharacters(text, NameForbiddenCharacters);
    RemoveLeadingDotsAndBlanks(text);
}

NameSplit SplitExtension(std::u16string_view name) {
    const std::size_t dot = name.rfind(u'.');
    if (dot == std::u16string_view::npos) return {name, {}};
    return {name.substr(0, dot), name.substr(dot)};
}

std::size_t NumberWidth(std::u16string_view zerosText) {
    std::size_t width = 0;
    for (char16_t unit : zerosText) {
        if (unit < u'0' || unit > u'9') break;
        width = std::min(width * 10 + static_cast<std::size_t>(unit - u'0'), MaximumNumberWidth);
    }
    return width;
}

void AppendPaddedNumber(std::u16string& out, std::uint32_t number, std::size_t width) {
    char16_t digits[10];
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<char16_t>(u'0' + number % 10);
        number /= 10;
    } while (number != 0);
    if (width > count) out.append(width - count, u'0');
    while (count > 0) out.push_back(digits[--count]);
}

}  // namespace qm
