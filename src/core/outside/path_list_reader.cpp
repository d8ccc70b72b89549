#include "core/outside/path_list_reader.h"

#include "core/text/text_file.h"

namespace qm {

namespace {

bool AllBlank(std::u16string_view line) { return line.find_first_not_of(u" \t") == std::u16string_view::npos; }

}  // namespace

std::vector<std::u16string> ReadPathList(std::span<const std::uint8_t> bytes) {
    const std::u16string text = DecodeTextFile(bytes);
    std::vector<std::u16string> lines;
    for (std::u16string_view line : TextLines(text)) {
        if (line.size() >= 2 && line.front() == u'"' && line.back() == u'"') line = line.substr(1, line.size() - 2);
        if (!AllBlank(line)) lines.emplace_back(line);
    }
    return lines;
}

}  // namespace qm
