#include "core/text/name_case.h"

#include "core/text/name_text.h"

namespace qm {

namespace {

bool StartsWord(std::u16string_view name, std::size_t at) {
    if (at == 0) return true;
    switch (name[at - 1]) {
        case u' ':
        case u'_':
        case u'-':
        case u'.':
        case u'(':
        case u'[': return true;
        default: return false;
    }
}

// The units of the character at `at`: two for a surrogate pair.
std::size_t CharacterUnits(std::u16string_view text, std::size_t at) {
    const bool pair = at + 1 < text.size() && text[at] >= 0xD800 && text[at] <= 0xDBFF && text[at + 1] >= 0xDC00 &&
                      text[at + 1] <= 0xDFFF;
    return pair ? 2 : 1;
}

}  // namespace

std::u16string AsciiCaseMapping(std::u16string_view text, LetterCase to) {
    std::u16string mapped(text);
    if (to == LetterCase::Upper)
        ToAsciiUpper(mapped);
    else
        ToAsciiLower(mapped);
    return mapped;
}

NameCase NameCaseFromNumber(std::uint32_t number) {
    return number < NameCaseCount ? static_cast<NameCase>(number) : NameCase::AsIs;
}

std::u16string CasedName(std::u16string_view name, NameCase mode, CaseMapping map) {
    if (!map) map = AsciiCaseMapping;
    switch (mode) {
        case NameCase::AsIs: return std::u16string(name);
        case NameCase::Lower: return map(name, LetterCase::Lower);
        case NameCase::Upper: return map(name, LetterCase::Upper);
        case NameCase::Title:
        case NameCase::Sentence: break;
    }
    // The whole name mapped both ways, twice in all, and each character taken
    // from the side it needs; a mapping that changes the length of a text
    // (ß into SS) is asked character by character instead.
    const std::u16string lower = map(name, LetterCase::Lower);
    const std::u16string upper = map(name, LetterCase::Upper);
    const bool unitForUnit = lower.size() == name.size() && upper.size() == name.size();
    std::u16string cased;
    cased.reserve(name.size());
    bool letterSeen = false;
    for (std::size_t at = 0; at < name.size();) {
        const std::size_t units = CharacterUnits(name, at);
        const std::u16string_view character = name.substr(at, units);
        std::u16string ownLower, ownUpper;
        if (!unitForUnit) {
            ownLower = map(character, LetterCase::Lower);
            ownUpper = map(character, LetterCase::Upper);
        }
        const std::u16string_view asLower = unitForUnit ? std::u16string_view(lower).substr(at, units) : ownLower;
        const std::u16string_view asUpper = unitForUnit ? std::u16string_view(upper).substr(at, units) : ownUpper;
        bool toUpper = false;
        if (mode == NameCase::Title) {
            toUpper = StartsWord(name, at);
        } else if (!letterSeen && asLower != asUpper) {
            toUpper = letterSeen = true;
        }
        cased += toUpper ? asUpper : asLower;
        at += units;
    }
    return cased;
}

}  // namespace qm
