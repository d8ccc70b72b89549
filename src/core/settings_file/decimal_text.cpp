#include "core/settings_file/decimal_text.h"

namespace qm {

namespace {

bool IsLeadingWhiteSpace(char16_t unit) {
    return unit == u' ' || (unit >= u'\t' && unit <= u'\r');
}

}  // namespace

std::uint32_t ParseSettingsDecimal(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsLeadingWhiteSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    std::uint32_t value = 0;  // unsigned arithmetic wraps: modulo 2^32
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = value * 10u + static_cast<std::uint32_t>(text[i] - u'0');
    return negative ? 0u - value : value;
}

void AppendUnsignedDecimal(std::u16string& out, std::uint32_t value) {
    char16_t digits[10];
    int count = 0;
    do {
        digits[count++] = static_cast<char16_t>(u'0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count > 0) out.push_back(digits[--count]);
}

void AppendSignedDecimal(std::u16string& out, std::int32_t value) {
    if (value < 0) {
        out.push_back(u'-');
        // The magnitude of INT32_MIN does not fit a signed word; the unsigned one does.
        AppendUnsignedDecimal(out, 0u - static_cast<std::uint32_t>(value));
    } else {
        AppendUnsignedDecimal(out, static_cast<std::uint32_t>(value));
    }
}

}  // namespace qm
