#include "core/text/text_file.h"

#include "core/text/utf8_text.h"

namespace qm {

namespace {

std::u16string DecodeUtf16Le(std::span<const std::uint8_t> bytes) {
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return text;
}

}  // namespace

std::u16string DecodeTextFile(std::span<const std::uint8_t> bytes) {
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) return DecodeUtf16Le(bytes.subspan(2));
    if (StartsWithUtf8Mark(bytes)) return DecodeUtf8(bytes.subspan(3));
    return DecodeUtf8(bytes);
}

std::vector<std::u16string_view> TextLines(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(u'\n', start);
        if (end == std::u16string_view::npos) end = text.size();
        std::u16string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
        lines.push_back(line);
    }
    return lines;
}

}  // namespace qm
