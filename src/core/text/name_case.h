#pragma once
// "Case": the whole new base name put into one case, letters beyond ASCII
// included. Which letter is the upper or lower form of which is the
// platform's knowledge; it comes in as a function.
#include <cstdint>
#include <string>
#include <string_view>

namespace qm {

// In the order of the drop-down list, which is also the stored number.
enum class NameCase : std::uint8_t { AsIs, Lower, Upper, Title, Sentence };
inline constexpr std::uint32_t NameCaseCount = 5;

enum class LetterCase : std::uint8_t { Lower, Upper };

// `text` in one case; the result may be longer or shorter than the text.
using CaseMapping = std::u16string (*)(std::u16string_view text, LetterCase to);

// A-Z and a-z alone: the mapping when the platform gives none.
std::u16string AsciiCaseMapping(std::u16string_view text, LetterCase to);

// The stored number as a case; one out of range is "As Is".
NameCase NameCaseFromNumber(std::uint32_t number);

// "lower case" and "UPPER CASE" map the whole name. "Title Case" puts the
// first character of each word in upper case and every other in lower case; a
// word starts at the beginning and after a blank, "_", "-", ".", "(" or "[",
// never after an apostrophe or a digit ("won't STOP" becomes "Won't Stop",
// "2nd take" becomes "2nd Take"). "Sentence case" puts the first letter of the
// name (the first character that has two cases) in upper case and every other
// in lower case.
std::u16string CasedName(std::u16string_view name, NameCase mode, CaseMapping map);

}  // namespace qm
