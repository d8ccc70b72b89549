#include "win32/locale/case_mapping.h"

#include <windows.h>

#include <climits>

namespace qm::win32 {

std::u16string MapCase(std::u16string_view text, LetterCase to) {
    if (text.empty()) return {};
    if (text.size() > INT_MAX / 4) return AsciiCaseMapping(text, to);
    const DWORD flags = (to == LetterCase::Upper ? LCMAP_UPPERCASE : LCMAP_LOWERCASE) | LCMAP_LINGUISTIC_CASING;
    const auto* source = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    std::u16string mapped(text.size(), u'\0');
    int written = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, source, length,
                                reinterpret_cast<wchar_t*>(mapped.data()), length, nullptr, nullptr, 0);
    if (written == 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        // A mapping that makes the text longer: asked for its length first.
        const int needed = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, source, length, nullptr, 0, nullptr, nullptr, 0);
        if (needed > 0) {
            mapped.assign(static_cast<std::size_t>(needed), u'\0');
            written = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, source, length,
                                    reinterpret_cast<wchar_t*>(mapped.data()), needed, nullptr, nullptr, 0);
        }
    }
    if (written <= 0) return AsciiCaseMapping(text, to);
    mapped.resize(static_cast<std::size_t>(written));
    return mapped;
}

}  // namespace qm::win32
