#pragma once
// Names in the order people expect from Explorer: a run of digits counts by
// its value ("IMG_2" before "IMG_10"), letters without regard to case.
#include <cstdint>
#include <string>
#include <string_view>

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

// The first three units of folded `text`, up to its first digit, as one
// number: where the numbers of two texts differ they order as
// CompareNaturally does, so that a large sort mostly compares numbers.
// Equal numbers say nothing.
std::uint64_t NaturalHead(std::u16string_view text);

}  // namespace qm
