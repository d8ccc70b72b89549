#include "core/outside/path_list_reader.h"

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

// Standard UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
// Each byte that starts no valid sequence becomes one U+FFFD.
std::u16string DecodeUtf8(std::span<const std::uint8_t> bytes) {
    std::u16string text;
    text.reserve(bytes.size());
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
            ++i;
            continue;
        }
        AppendCodePoint(text, point);
        i += length;
    }
    return text;
}

std::u16string DecodeUtf16Le(std::span<const std::uint8_t> bytes) {
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return text;
}

bool AllBlank(std::u16string_view line) { return line.find_first_not_of(u" \t") == std::u16string_view::npos; }

}  // namespace

std::vector<std::u16string> ReadPathList(std::span<const std::uint8_t> bytes) {
    std::u16string text;
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        text = DecodeUtf16Le(bytes.subspan(2));
    } else if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        text = DecodeUtf8(bytes.subspan(3));
    } else {
        text = DecodeUtf8(bytes);
    }

    std::vector<std::u16string> lines;
    const std::u16string_view all = text;
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t end = all.find(u'\n', start);
        if (end == std::u16string_view::npos) end = all.size();
        std::u16string_view line = all.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
        if (line.size() >= 2 && line.front() == u'"' && line.back() == u'"') line = line.substr(1, line.size() - 2);
        if (!AllBlank(line)) lines.emplace_back(line);
    }
    return lines;
}

}  // namespace qm
