#include "core/text/name_patterns.h"

#include <algorithm>

#include "core/text/name_text.h"

namespace qm {

namespace {

std::u16string_view Trimmed(std::u16string_view text) {
    while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
    return text;
}

// Wildcards by backtracking to the last "*" only: linear in practice, and
// never worse than name length times pattern length.
bool WildcardMatch(std::u16string_view pattern, std::u16string_view name) {
    std::size_t p = 0, n = 0;
    std::size_t star = std::u16string_view::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            resume = n;
        } else if (p < pattern.size() && (pattern[p] == u'?' || AsciiLower(pattern[p]) == AsciiLower(name[n]))) {
            ++p;
            ++n;
        } else if (star != std::u16string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') ++p;
    return p == pattern.size();
}

}  // namespace

NamePatterns::NamePatterns(std::u16string_view text) {
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(u';'), text.size());
        const std::u16string_view piece = Trimmed(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (piece.empty()) continue;
        std::u16string pattern(piece);
        if (pattern.find_first_of(u"*?") == std::u16string::npos && pattern.find(u'.') == std::u16string::npos)
            pattern.insert(0, u"*.");
        else if (pattern.front() == u'.' && pattern.find_first_of(u"*?") == std::u16string::npos)
            pattern.insert(0, u"*");
        patterns_.push_back(std::move(pattern));
    }
}

bool NamePatterns::Matches(std::u16string_view name) const {
    if (patterns_.empty()) return true;
    for (const std::u16string& pattern : patterns_)
        if (WildcardMatch(pattern, name)) return true;
    return false;
}

}  // namespace qm
