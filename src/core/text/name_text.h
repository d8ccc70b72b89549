#pragma once
// Texts of file names: case changes and comparisons that touch only the ASCII
// letters, and the split at the extension.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qm {

constexpr char16_t AsciiUpper(char16_t unit) { return unit >= u'a' && unit <= u'z' ? unit - 32 : unit; }
constexpr char16_t AsciiLower(char16_t unit) { return unit >= u'A' && unit <= u'Z' ? unit + 32 : unit; }
void ToAsciiUpper(std::u16string& text);
void ToAsciiLower(std::u16string& text);

// Negative, zero or positive as `a` sorts before, with or after `b` when A-Z
// and a-z count as equal; every other unit compares by its code.
int CompareIgnoringAsciiCase(std::u16string_view a, std::u16string_view b);
inline bool EqualIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && CompareIgnoringAsciiCase(a, b) == 0;
}

// A file name split at its last ".": the extension keeps its "." and is empty
// when there is none; a name whose only "." comes first has an empty base.
struct NameSplit {
    std::u16string_view base;
    std::u16string_view extension;
};
NameSplit SplitExtension(std::u16string_view name);

}  // namespace qm
