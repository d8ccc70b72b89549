#pragma once
// File attributes as the file list shows and keeps them: the letters "R", "H",
// "S" and "A" for read-only, hidden, system and archive, in that order.
#include <cstdint>
#include <string_view>

#include "core/text/fixed_text.h"

namespace qm {

namespace FileAttribute {
inline constexpr std::uint32_t ReadOnly = 0x1;
inline constexpr std::uint32_t Hidden = 0x2;
inline constexpr std::uint32_t System = 0x4;
inline constexpr std::uint32_t Archive = 0x20;
inline constexpr std::uint32_t Normal = 0x80;          // none of the others
inline constexpr std::uint32_t Invalid = 0xFFFFFFFF;   // the platform could not tell
}  // namespace FileAttribute

using AttributeLetters = FixedText<5>;

// The letters of the four shown bits; every other bit is left out.
AttributeLetters FormatAttributeLetters(std::uint32_t attributes);

// Each of the letters anywhere in the text adds its bit (case-sensitive); the
// empty text gives FileAttribute::Normal.
std::uint32_t ParseAttributeLetters(std::u16string_view letters);

// The attributes that the four "Attributes" boxes choose (bits of the
// AttributeFlags word); FileAttribute::Normal when none is ticked.
std::uint32_t ChosenAttributes(std::uint32_t attributeFlags);

}  // namespace qm
