#include "core/settings_file/hex_form.h"

namespace qm {

namespace {

constexpr char16_t UpperDigits[] = u"0123456789ABCDEF";

// The digit's value, or -1 when the unit is no hexadecimal digit.
int HexDigitValue(char16_t unit) {
    if (unit >= u'0' && unit <= u'9') return unit - u'0';
    if (unit >= u'A' && unit <= u'F') return unit - u'A' + 10;
    if (unit >= u'a' && unit <= u'f') return unit - u'a' + 10;
    return -1;
}

std::uint8_t DecodePair(char16_t high, char16_t low) {
    const int first = HexDigitValue(high);
    if (first < 0) return 0;
    const int second = HexDigitValue(low);
    if (second < 0) return static_cast<std::uint8_t>(first);
    return static_cast<std::uint8_t>(first * 16 + second);
}

}  // namespace

void AppendHexForm(std::u16string& out, std::span<const std::uint8_t> bytes) {
    for (const std::uint8_t byte : bytes) {
        out.push_back(UpperDigits[byte >> 4]);
        out.push_back(UpperDigits[byte & 0x0F]);
    }
}

bool DecodeHexForm(std::u16string_view text, std::span<std::uint8_t> destination) {
    if (text.size() != destination.size() * 2) return false;
    for (std::size_t i = 0; i < destination.size(); ++i)
        destination[i] = DecodePair(text[2 * i], text[2 * i + 1]);
    return true;
}

}  // namespace qm
