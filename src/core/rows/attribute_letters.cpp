#include "core/rows/attribute_letters.h"

#include "core/settings/flags.h"

namespace qm {

namespace {
struct LetterBit {
    char16_t letter;
    std::uint32_t bit;
};
constexpr LetterBit Letters[] = {{u'R', FileAttribute::ReadOnly},
                                 {u'H', FileAttribute::Hidden},
                                 {u'S', FileAttribute::System},
                                 {u'A', FileAttribute::Archive}};
}  // namespace

AttributeLetters FormatAttributeLetters(std::uint32_t attributes) {
    char16_t text[5] = {};
    std::size_t n = 0;
    for (const LetterBit& l : Letters)
        if (attributes & l.bit) text[n++] = l.letter;
    return AttributeLetters(std::u16string_view(text, n));
}

std::uint32_t ParseAttributeLetters(std::u16string_view letters) {
    if (letters.empty()) return FileAttribute::Normal;
    std::uint32_t bits = 0;
    for (const LetterBit& l : Letters)
        if (letters.find(l.letter) != std::u16string_view::npos) bits |= l.bit;
    return bits;
}

std::uint32_t ChosenAttributes(std::uint32_t attributeFlags) {
    std::uint32_t bits = 0;
    if (attributeFlags & Attribute::ReadOnly) bits |= FileAttribute::ReadOnly;
    if (attributeFlags & Attribute::Hidden) bits |= FileAttribute::Hidden;
    if (attributeFlags & Attribute::System) bits |= FileAttribute::System;
    if (attributeFlags & Attribute::Archive) bits |= FileAttribute::Archive;
    return bits == 0 ? FileAttribute::Normal : bits;
}

}  // namespace qm
