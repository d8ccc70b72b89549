#pragma once
// "Find and replace" on the old base name: plain text, every occurrence, ASCII
// case ignored unless "Match Case"; or a regular expression (Boost.Regex, whose
// matcher gives up on a name after a fixed budget of work, some 20 ms, instead
// of freezing the window) with $1-style groups in the replacement.
#include <memory>
#include <string>
#include <string_view>

namespace qm {

struct FindReplace {
    std::u16string find;
    std::u16string replace;
    bool regex = false;
    bool matchCase = false;

    bool operator==(const FindReplace&) const = default;
};

// Why find and replace cannot give a name.
enum class NameProblem : unsigned char {
    None,
    InvalidPattern,  // the regular expression does not compile
    TooComplex,      // matching it against a name went past the budget of one name
    NameList,        // "From List" cannot give every row its name; the message says why
};

// The pattern compiled once, for every name of a run or a refresh.
class NameReplacer {
public:
    explicit NameReplacer(const FindReplace& options);
    ~NameReplacer();
    NameReplacer(const NameReplacer&) = delete;
    NameReplacer& operator=(const NameReplacer&) = delete;

    const FindReplace& options() const { return options_; }

    // InvalidPattern when the expression did not compile; `problemText` says why.
    NameProblem problem() const { return problem_; }
    const std::u16string& problemText() const { return problemText_; }

    // `name` with every match replaced. On a match that grows too complex the
    // name comes back unchanged and `problem`, when given, is set, with the
    // name in `problemText`. From then on every name comes back so at once,
    // `problemText` naming the first one.
    std::u16string Apply(std::u16string_view name, NameProblem* problem = nullptr,
                         std::u16string* problemText = nullptr) const;

private:
    struct Compiled;
    FindReplace options_;
    std::unique_ptr<Compiled> compiled_;
    NameProblem problem_ = NameProblem::None;
    std::u16string problemText_;
};

// The text that cell 1085 and the message box show for a problem.
std::u16string NameProblemMessage(NameProblem problem, std::u16string_view detail);

}  // namespace qm
