#include "core/text/name_text.h"

#include <algorithm>

namespace qm {

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

NameSplit SplitExtension(std::u16string_view name) {
    const std::size_t dot = name.rfind(u'.');
    if (dot == std::u16string_view::npos) return {name, {}};
    return {name.substr(0, dot), name.substr(dot)};
}

}  // namespace qm
