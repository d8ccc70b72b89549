#include "core/text/name_allowed.h"

#include "core/text/name_text.h"

namespace qm {

namespace {

bool SameLetters(std::u16string_view a, std::u16string_view b) { return EqualIgnoringAsciiCase(a, b); }

// The part before the first dot names a device whatever follows it ("nul.txt",
// "NUL .tar.gz"); blanks before that dot do not count. The superscript digits
// are refused by the platform as the plain ones are.
bool IsDeviceName(std::u16string_view name) {
    std::u16string_view stem = name.substr(0, name.find(u'.'));
    while (!stem.empty() && stem.back() == u' ') stem.remove_suffix(1);
    if (stem.size() == 3)
        return SameLetters(stem, u"CON") || SameLetters(stem, u"PRN") || SameLetters(stem, u"AUX") ||
               SameLetters(stem, u"NUL");
    if (stem.size() != 4 || !(SameLetters(stem.substr(0, 3), u"COM") || SameLetters(stem.substr(0, 3), u"LPT")))
        return false;
    const char16_t digit = stem[3];
    return (digit >= u'1' && digit <= u'9') || digit == u'\u00B9' || digit == u'\u00B2' || digit == u'\u00B3';
}

}  // namespace

bool NameAllowed(std::u16string_view name) {
    // "." and ".." come out empty here too.
    std::u16string_view kept = name;
    while (!kept.empty() && (kept.back() == u'.' || kept.back() == u' ')) kept.remove_suffix(1);
    if (kept.empty() || SplitExtension(kept).base.empty()) return false;
    for (const char16_t unit : name)
        if (unit < 0x20 || std::u16string_view(u"<>:\"/|?*\\").find(unit) != std::u16string_view::npos) return false;
    return !IsDeviceName(kept);
}

}  // namespace qm
