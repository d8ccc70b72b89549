#include "core/outside/path_list_reader.h"

#include "core/text/utf8_text.h"

namespace qm {

namespace {

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
    } else if (StartsWithUtf8Mark(bytes)) {
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
