#pragma once
// The hex form of binary fields in the settings file: each byte in memory order
// as two upper-case hexadecimal digits, nothing between them.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qm {

// Appends 2 x bytes.size() upper-case digits to `out`.
void AppendHexForm(std::u16string& out, std::span<const std::uint8_t> bytes);

// Decodes `text` into `destination` only when it has exactly two digits per
// byte; otherwise writes nothing and returns false. A pair that is not
// hexadecimal gives the value of its leading hexadecimal digit ("4G" gives 4),
// or 0 when it has none.
bool DecodeHexForm(std::u16string_view text, std::span<std::uint8_t> destination);

}  // namespace qm
