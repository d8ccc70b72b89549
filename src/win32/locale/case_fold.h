#pragma once
// The platform's case of every letter, for the order of "Sort as Explorer does".
#include <string>

namespace qm::win32 {

// Folds the letters of `text` to lower case in place, those beyond ASCII
// included, as the system's invariant locale folds them.
void FoldCaseForSorting(std::u16string& text);

}  // namespace qm::win32
