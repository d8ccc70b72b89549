#pragma once
// The platform's own case of letters, for "Case": é and É, ß, Greek and
// Cyrillic, as the user's language has them.
#include <string>
#include <string_view>

#include "core/text/name_case.h"

namespace qm::win32 {

// `text` in upper or lower case by the user's locale (LCMapStringEx with
// linguistic casing); A-Z and a-z alone when the platform cannot map it.
std::u16string MapCase(std::u16string_view text, LetterCase to);

}  // namespace qm::win32
