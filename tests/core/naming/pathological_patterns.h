#pragma once
// Regular expressions that backtrack without end on a long name, and the name
// each meets: the table the pattern bound is tested and measured with.
#include <string>
#include <vector>

namespace qm::test {

struct PathologicalPattern {
    std::u16string pattern;
    std::u16string name;  // a base name, 200 units or so
};

inline std::vector<PathologicalPattern> PathologicalPatterns() {
    const std::u16string as(200, u'a');
    std::u16string optionals;  // "(a?)" fifty times, then "a" fifty times and "c"
    for (int i = 0; i < 50; ++i) optionals += u"(a?)";
    optionals += std::u16string(50, u'a') + u"c";
    return {
        {optionals, as},
        {u"(a+)+b", as},
        {u"(a|aa)+b", as},
        {u"(a|a?)+b", as},
        {u"(a*)*b", as},
        {u"(.*a){20}b", as},
        {u"^(\\w+\\s?)*$", as + u"!"},
        {u"(a+)+\\1b", as},
        {u"(?=(a+)+b)x", as},
        {u"(?:a|[a-z]|\\w)+\\d", as},
    };
}

}  // namespace qm::test
