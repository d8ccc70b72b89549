#pragma once
// Decimal numbers in the settings file.
#include <cstdint>
#include <string>
#include <string_view>

namespace qm {

// White space at the start is skipped, one "+" or "-" may follow, then digits
// are taken up to the first non-digit; no digits give 0. The result is taken
// modulo 2^32 and negated for "-", so "-1" gives 4294967295.
std::uint32_t ParseSettingsDecimal(std::u16string_view text);

void AppendUnsignedDecimal(std::u16string& out, std::uint32_t value);
void AppendSignedDecimal(std::u16string& out, std::int32_t value);

}  // namespace qm
