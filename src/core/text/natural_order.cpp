#include "core/text/natural_order.h"

#include <algorithm>
#include <cstdint>

#include "core/text/name_text.h"

namespace qm {

namespace {

constexpr bool IsDigit(char16_t unit) { return unit >= u'0' && unit <= u'9'; }

constexpr bool IsAsciiLetter(char16_t unit) {
    return (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z');
}

constexpr std::uint32_t DigitWeight = 0x100;

// Where a unit other than a digit stands: the separator, then ".", then the
// signs, (digits), then letters.
constexpr std::uint32_t Weight(char16_t unit) {
    if (unit == u'\\') return 0;
    if (unit == u'.') return 1;
    if (unit < 0x80 && !IsAsciiLetter(unit)) return 2 + unit;
    return 0x10000 + unit;
}

std::size_t EndOfDigits(std::u16string_view text, std::size_t at) {
    while (at < text.size() && IsDigit(text[at])) ++at;
    return at;
}

std::size_t EndOfZeros(std::u16string_view text, std::size_t at, std::size_t end) {
    while (at < end && text[at] == u'0') ++at;
    return at;
}

}  // namespace

std::u16string FoldedForSorting(std::u16string_view text, CaseFold fold) {
    std::u16string folded(text);
    bool beyondAscii = false;
    for (char16_t& unit : folded) {
        unit = AsciiLower(unit);
        beyondAscii |= unit >= 0x80;
    }
    if (beyondAscii && fold) fold(folded);
    return folded;
}

int CompareNaturally(std::u16string_view a, std::u16string_view b) {
    // Most of two names is the same: the walk below starts where they part,
    // or at the start of the run of digits they part in. Digit runs before
    // that are the same in both, zeros and all.
    std::size_t same = 0;
    const std::size_t shorter = std::min(a.size(), b.size());
    while (same < shorter && a[same] == b[same]) ++same;
    if (same == a.size() && same == b.size()) return 0;
    const bool inDigits = (same < a.size() && IsDigit(a[same])) || (same < b.size() && IsDigit(b[same]));
    if (inDigits)
        while (same > 0 && IsDigit(a[same - 1])) --same;
    a.remove_prefix(same);
    b.remove_prefix(same);

    int zeros = 0;  // the first difference in leading zeros, should all else be equal
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            const std::size_t endA = EndOfDigits(a, i), endB = EndOfDigits(b, j);
            const std::size_t valueA = EndOfZeros(a, i, endA), valueB = EndOfZeros(b, j, endB);
            // Without its leading zeros, the longer run holds the larger value.
            if (endA - valueA != endB - valueB) return endA - valueA < endB - valueB ? -1 : 1;
            const int digits = a.substr(valueA, endA - valueA).compare(b.substr(valueB, endB - valueB));
            if (digits != 0) return digits < 0 ? -1 : 1;
            if (zeros == 0 && valueA - i != valueB - j) zeros = valueA - i < valueB - j ? -1 : 1;
            i = endA;
            j = endB;
            continue;
        }
        const std::uint32_t x = IsDigit(a[i]) ? DigitWeight : Weight(a[i]);
        const std::uint32_t y = IsDigit(b[j]) ? DigitWeight : Weight(b[j]);
        if (x != y) return x < y ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return zeros;
}

NaturalHeads::NaturalHeads(std::u16string_view units, std::size_t texts, unsigned headBits) {
    // A table of ranks pays from some thousand texts on; fewer are packed by
    // their weights, two or three units a head.
    units_ = headBits / bits_;
    if (texts < 1024) return;
    rank_.assign(0x10000, 0);
    std::vector<bool> held(0x10000, false);
    for (const char16_t unit : units) held[unit] = true;
    // Digits all weigh the same: a run of them stops the head.
    std::vector<std::uint32_t> weights;
    for (std::uint32_t unit = 0; unit < 0x10000; ++unit)
        if (held[unit]) weights.push_back(IsDigit(static_cast<char16_t>(unit)) ? DigitWeight : Weight(static_cast<char16_t>(unit)));
    std::sort(weights.begin(), weights.end());
    weights.erase(std::unique(weights.begin(), weights.end()), weights.end());
    for (std::uint32_t unit = 0; unit < 0x10000; ++unit) {
        if (!held[unit]) continue;
        const std::uint32_t weight = IsDigit(static_cast<char16_t>(unit)) ? DigitWeight : Weight(static_cast<char16_t>(unit));
        rank_[unit] = 1 + static_cast<std::uint32_t>(std::lower_bound(weights.begin(), weights.end(), weight) - weights.begin());
    }
    bits_ = 1;
    while (bits_ < 17 && (std::size_t{1} << bits_) <= weights.size()) ++bits_;
    units_ = headBits / bits_;
}

std::uint64_t NaturalHeads::Rank(char16_t unit) const {
    if (!rank_.empty()) return rank_[unit];
    return 1 + (IsDigit(unit) ? DigitWeight : Weight(unit));
}

std::uint64_t NaturalHeads::operator()(std::u16string_view text) const {
    // A unit's rank (0: the text has ended); a digit stops it, as a run of
    // digits compares by its whole value.
    std::uint64_t head = 0;
    bool stopped = false;
    for (std::size_t k = 0; k < units_; ++k) {
        std::uint64_t rank = 0;
        if (!stopped && k < text.size()) {
            rank = Rank(text[k]);
            stopped = IsDigit(text[k]);
        }
        head = head << bits_ | rank;
    }
    return head;
}

std::uint64_t NaturalHeads::RunAfter(std::u16string_view text) const {
    std::size_t at = 0;
    while (at < units_ && at < text.size() && !IsDigit(text[at])) ++at;
    if (at == units_ || at == text.size()) return 0;
    const std::size_t end = EndOfDigits(text, at);
    at = EndOfZeros(text, at, end);
    if (end - at > 19) return UINT64_MAX;
    std::uint64_t value = 0;
    for (; at < end; ++at) value = value * 10 + static_cast<std::uint64_t>(text[at] - u'0');
    return value == UINT64_MAX ? value : value + 1;
}

}  // namespace qm
