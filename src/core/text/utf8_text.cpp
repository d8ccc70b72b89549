#include "core/text/utf8_text.h"

namespace qm {

namespace {

constexpr char16_t Replacement = 0xFFFD;

void AppendCodePoint(std::u16string& text, char32_t point) {
    if (point < 0x10000) {
        text += static_cast<char16_t>(point);
    } else {
        point -= 0x10000;
        text += static_cast<char16_t>(0xD800 + (point >> 10));
        text += static_cast<char16_t>(0xDC00 + (point & 0x3FF));
    }
}

}  // namespace

std::u16string DecodeUtf8(std::span<const std::uint8_t> bytes, std::size_t* invalidBytes) {
    std::u16string text;
    text.reserve(bytes.size());
    std::size_t invalid = 0;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::uint8_t lead = bytes[i];
        if (lead < 0x80) {
            text += static_cast<char16_t>(lead);
            ++i;
            continue;
        }
        std::size_t length = 0;
        char32_t point = 0, lowest = 0;
        if ((lead & 0xE0) == 0xC0) {
            length = 2, point = lead & 0x1F, lowest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, point = lead & 0x0F, lowest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, point = lead & 0x07, lowest = 0x10000;
        }
        bool valid = length != 0 && i + length <= bytes.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            if ((bytes[i + k] & 0xC0) != 0x80) valid = false;
            point = (point << 6) | (bytes[i + k] & 0x3F);
        }
        valid = valid && point >= lowest && point <= 0x10FFFF && !(point >= 0xD800 && point <= 0xDFFF);
        if (!valid) {
            text += Replacement;
            ++invalid;
            ++i;
            continue;
        }
        AppendCodePoint(text, point);
        i += length;
    }
    if (invalidBytes) *invalidBytes = invalid;
    return text;
}

bool StartsWithUtf8Mark(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF;
}

}  // namespace qm
