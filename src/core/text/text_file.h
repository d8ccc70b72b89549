#pragma once
// Text files that people write with other programs (lists of paths, lists of
// names): their bytes as UTF-16 text, and that text cut into lines.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// UTF-16 little-endian when the bytes start with its byte-order mark, UTF-8
// otherwise (with or without its mark; a byte that is not UTF-8 reads as
// U+FFFD). The mark itself is not part of the text.
std::u16string DecodeTextFile(std::span<const std::uint8_t> bytes);

// The lines of `text`, each without its LF or CR LF; a text that ends with a
// line break has no empty line after it.
std::vector<std::u16string_view> TextLines(std::u16string_view text);

}  // namespace qm
