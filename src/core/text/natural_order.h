#pragma once
// Names in the order people expect from Explorer: a run of digits counts by
// its value ("IMG_2" before "IMG_10"), letters without regard to case.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// Folds the letters of a text to one case in place. The platform's fold knows
// every letter; the core itself folds only A-Z.
using CaseFold = void (*)(std::u16string& text);

// The text as CompareNaturally takes it: A-Z folded to a-z here, and `fold`
// (when given) asked only for a text that holds a unit beyond ASCII.
std::u16string FoldedForSorting(std::u16string_view text, CaseFold fold);

// Negative, zero or positive as folded text `a` sorts before, with or after
// `b`. Runs of the digits 0-9 compare by their value, of any length; a text
// sorts before the longer texts it begins. Otherwise unit by unit, in this
// order: the folder separator "\" (so that paths sort folder by folder), ".",
// the other signs of ASCII, digits, then letters, ASCII before the others,
// each by its folded code. Texts equal but for leading zeros: the one whose
// first such difference has fewer zeros first ("1" before "01"). Zero only
// for texts equal unit for unit.
int CompareNaturally(std::u16string_view a, std::u16string_view b);

// The beginnings of many folded texts, each up to its first digit, packed into
// one number: where the numbers of two texts differ they order as
// CompareNaturally does, so that a large sort mostly compares numbers. Each
// unit is packed by its rank among the units the texts hold, in as few bits
// as their number needs: ASCII names pack some ten units, not three. Equal
// numbers say nothing.
class NaturalHeads {
public:
    // From the units of all the texts side by side (units beyond them only
    // widen the ranks) and the number of texts; heads of at most `headBits`
    // bits (32 at least).
    NaturalHeads(std::u16string_view units, std::size_t texts, unsigned headBits = 64);
    std::uint64_t operator()(std::u16string_view text) const;
    // For a head that a run of digits stops: one more than the run's value
    // (the largest number for a run beyond 19 digits); 0 for any other head.
    // Texts of equal heads with values that differ order as the values do.
    std::uint64_t RunAfter(std::u16string_view text) const;

private:
    std::uint64_t Rank(char16_t unit) const;
    std::vector<std::uint32_t> rank_;  // by unit; 0 for a unit no text holds; none for few texts
    unsigned bits_ = 21;  // a weight and one
    std::size_t units_ = 0;
};

}  // namespace qm
