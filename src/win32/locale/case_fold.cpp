#include "win32/locale/case_fold.h"

#include <windows.h>

namespace qm::win32 {

void FoldCaseForSorting(std::u16string& text) {
    if (text.empty() || text.size() > 0x7FFFFFFF) return;
    // A simple case map changes no text's length; a text it cannot map stays as it was.
    std::u16string folded(text.size(), u'\0');
    const int length = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, reinterpret_cast<LPCWSTR>(text.data()),
                                     static_cast<int>(text.size()), reinterpret_cast<LPWSTR>(folded.data()),
                                     static_cast<int>(folded.size()), nullptr, nullptr, 0);
    if (length == static_cast<int>(text.size())) text = std::move(folded);
}

}  // namespace qm::win32
