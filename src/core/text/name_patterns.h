#pragma once
// The "Files" box of "Add Folder": name patterns such as "*.jpg;*.heic;*.mp4",
// matched as Explorer's search box matches them.
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// Patterns separated by ";", each trimmed of blanks; "*" stands for any run of
// units, "?" for one unit, and A-Z match a-z. A bare extension ("jpg" or
// ".jpg") stands for "*.jpg". No pattern at all matches every name.
class NamePatterns {
public:
    NamePatterns() = default;
    explicit NamePatterns(std::u16string_view text);

    bool Matches(std::u16string_view name) const;
    bool MatchesAll() const { return patterns_.empty(); }

private:
    std::vector<std::u16string> patterns_;
};

}  // namespace qm
