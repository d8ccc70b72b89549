#pragma once
// UTF-8 bytes as UTF-16 text, for files that people write with other programs.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace qm {

// Standard UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
// Each byte that starts no valid sequence becomes one U+FFFD and is counted in
// `invalidBytes`, when given.
std::u16string DecodeUtf8(std::span<const std::uint8_t> bytes, std::size_t* invalidBytes = nullptr);

// Whether the bytes begin with the UTF-8 byte-order mark EF BB BF.
bool StartsWithUtf8Mark(std::span<const std::uint8_t> bytes);

}  // namespace qm
