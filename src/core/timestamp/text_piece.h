#pragma once
// A short UTF-16 text built in place: one name or one number of a time stamp
// or a whole list date text. Nothing is allocated.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qm {

struct TextPiece {
    static constexpr std::size_t kCapacity = 32;

    std::array<char16_t, kCapacity> units{};
    std::size_t size = 0;

    void Append(char16_t unit) {
        if (size < kCapacity) units[size++] = unit;
    }
    void Append(std::u16string_view text) {
        for (char16_t unit : text) Append(unit);
    }
    // Decimal digits with leading zeros up to minDigits; a wider value is never cut.
    void AppendDecimal(std::uint64_t value, std::size_t minDigits = 1) {
        std::array<char16_t, 20> digits{};
        std::size_t count = 0;
        do {
            digits[count++] = static_cast<char16_t>(u'0' + value % 10);
            value /= 10;
        } while (value != 0);
        for (std::size_t i = count; i < minDigits; ++i) Append(u'0');
        while (count > 0) Append(digits[--count]);
    }
    std::u16string_view view() const { return {units.data(), size}; }
};

}  // namespace qm
