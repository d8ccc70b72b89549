#pragma once
// Lines of the form key=value. Keys are case-sensitive and must start the line;
// the value is everything after the first "=".
#include <string>
#include <string_view>

namespace qm {

inline constexpr std::u16string_view LineBreak = u"\r\n";

// When `line` starts with `key` and "=", sets `value` to the rest and returns true.
inline bool MatchKeyLine(std::u16string_view line, std::u16string_view key,
                         std::u16string_view& value) {
    if (line.size() <= key.size() || line[key.size()] != u'=' ||
        line.substr(0, key.size()) != key)
        return false;
    value = line.substr(key.size() + 1);
    return true;
}

inline void AppendLine(std::u16string& out, std::u16string_view text) {
    out.append(text);
    out.append(LineBreak);
}

// Starts a key line; the caller appends the value and then LineBreak.
inline void AppendKey(std::u16string& out, std::u16string_view key) {
    out.append(key);
    out.push_back(u'=');
}

}  // namespace qm
