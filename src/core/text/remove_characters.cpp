#include "core/text/remove_characters.h"

namespace qm {

std::u16string RemoveCharacters(std::u16string_view text, std::u16string_view characters) {
    std::u16string kept;
    kept.reserve(text.size());
    for (char16_t unit : text) {
        if (characters.find(unit) == std::u16string_view::npos) kept.push_back(unit);
    }
    return kept;
}

}  // namespace qm
