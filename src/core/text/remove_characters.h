#pragma once
// Dropping unwanted characters from a text, for names and extensions that the
// program builds from what the user typed or from a time stamp.
#include <string>
#include <string_view>

namespace qm {

// The characters that a generated name may not contain.
inline constexpr std::u16string_view NameForbiddenCharacters = u"*|\\/:\"<>?^";

// `text` without any unit that occurs in `characters`; the other units keep
// their order.
std::u16string RemoveCharacters(std::u16string_view text, std::u16string_view characters);

}  // namespace qm
