#include "core/naming/find_replace.h"

#include <boost/regex.hpp>

#include <exception>
#include <mutex>
#include <optional>

#include "core/text/name_text.h"

namespace qm {

namespace {

// The regular expression sees one wchar_t per UTF-16 unit on every platform,
// so that a pattern means the same natively and on Windows.
std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

std::u16string Narrow(const std::wstring& text) {
    std::u16string out;
    out.reserve(text.size());
    for (wchar_t unit : text) out.push_back(static_cast<char16_t>(unit));
    return out;
}

std::u16string FromAscii(const std::string& text) { return std::u16string(text.begin(), text.end()); }

// Case is ignored for A-Z and a-z alone, as everywhere else in the program,
// whatever the locale would say about other letters.
struct AsciiCaseTraits : boost::cpp_regex_traits<wchar_t> {
    static wchar_t Lower(wchar_t c) { return c >= L'A' && c <= L'Z' ? c + 32 : c; }
    static wchar_t Upper(wchar_t c) { return c >= L'a' && c <= L'z' ? c - 32 : c; }
    wchar_t translate_nocase(wchar_t c) const { return Lower(c); }
    wchar_t translate(wchar_t c) const { return c; }
    wchar_t translate(wchar_t c, bool icase) const { return icase ? Lower(c) : c; }
    wchar_t tolower(wchar_t c) const { return Lower(c); }
    wchar_t toupper(wchar_t c) const { return Upper(c); }
};

using NameRegex = boost::basic_regex<wchar_t, AsciiCaseTraits>;
using NameIterator = std::wstring::const_iterator;
using NameMatchAllocator = std::allocator<boost::sub_match<NameIterator>>;

// The states that the matcher may visit for one name, all its searches
// together: some 20 ms of work (bench/windows/find_pattern_wine_bench prints
// the worst name). Boost's own bound grows with the name's length times the
// square of the pattern's length and is granted to every search of a name
// anew: a long pattern could take seconds on one name.
constexpr std::ptrdiff_t NameStateBudget = 1'000'000;

// What is left of the budget of the name being matched on this thread.
thread_local std::ptrdiff_t statesLeft = 0;

bool SameUnits(std::u16string_view a, std::u16string_view b, bool matchCase) {
    return matchCase ? a == b : EqualIgnoringAsciiCase(a, b);
}

std::u16string ReplacePlain(std::u16string_view name, const FindReplace& o) {
    if (o.find.empty()) return std::u16string(name);
    std::u16string out;
    out.reserve(name.size());
    std::size_t at = 0;
    while (at < name.size()) {
        if (name.size() - at >= o.find.size() && SameUnits(name.substr(at, o.find.size()), o.find, o.matchCase)) {
            out += o.replace;
            at += o.find.size();
        } else {
            out.push_back(name[at++]);
        }
    }
    return out;
}

}  // namespace
}  // namespace qm

// The matcher of names takes its bound from the name's budget and spends it:
// explicit specializations for our traits alone, which every other use of
// Boost.Regex leaves alone.
namespace boost::BOOST_REGEX_DETAIL_NS {

template <>
void perl_matcher<qm::NameIterator, qm::NameMatchAllocator, qm::AsciiCaseTraits>::estimate_max_state_count(
    std::random_access_iterator_tag*) {
    max_state_count = qm::statesLeft > 0 ? qm::statesLeft : 0;
}

template <>
bool perl_matcher<qm::NameIterator, qm::NameMatchAllocator, qm::AsciiCaseTraits>::find() {
    const bool found = find_imp();
    qm::statesLeft -= state_count;
    return found;
}

}  // namespace boost::BOOST_REGEX_DETAIL_NS

namespace qm {

struct NameReplacer::Compiled {
    NameRegex regex;
    std::wstring format;
    std::mutex lock;  // a run may match on another thread than the preview
    std::optional<std::u16string> tooComplexName;  // the first name found too complex
};

NameReplacer::NameReplacer(const FindReplace& options) : options_(options) {
    if (!options.regex || options.find.empty()) return;
    const boost::regex_constants::syntax_option_type flags =
        options.matchCase ? boost::regex_constants::perl : boost::regex_constants::perl | boost::regex_constants::icase;
    try {
        auto compiled = std::make_unique<Compiled>();
        compiled->regex.assign(Wide(options.find), flags);
        compiled->format = Wide(options.replace);
        compiled_ = std::move(compiled);
    } catch (const boost::regex_error& error) {
        problem_ = NameProblem::InvalidPattern;
        problemText_ = FromAscii(boost::BOOST_REGEX_DETAIL_NS::get_default_error_string(error.code()));
        if (error.position() >= 0 && static_cast<std::size_t>(error.position()) <= options.find.size()) {
            problemText_ += u" (at character ";
            std::u16string digits;
            for (auto p = error.position() + 1; p > 0; p /= 10) digits.insert(digits.begin(), char16_t(u'0' + p % 10));
            problemText_ += digits + u")";
        }
    } catch (const std::exception&) {
        problem_ = NameProblem::InvalidPattern;
        problemText_ = u"the pattern cannot be compiled";
    }
}

NameReplacer::~NameReplacer() = default;

std::u16string NameReplacer::Apply(std::u16string_view name, NameProblem* problem,
                                   std::u16string* problemText) const {
    if (!options_.regex) return ReplacePlain(name, options_);
    if (!compiled_) return std::u16string(name);  // empty or invalid pattern: the name stays
    const auto tooComplex = [&](std::u16string_view which) {
        if (problem) *problem = NameProblem::TooComplex;
        if (problemText) *problemText = std::u16string(which);
        return std::u16string(name);
    };
    // One name too complex stops the run over them all, so every later name
    // is refused at once instead of spending the budget again: a preview of
    // many rows then costs one name's bound, not one per row.
    {
        std::lock_guard<std::mutex> hold(compiled_->lock);
        if (compiled_->tooComplexName) return tooComplex(*compiled_->tooComplexName);
    }
    try {
        const std::wstring wide = Wide(name);
        statesLeft = NameStateBudget;
        return Narrow(boost::regex_replace(wide, compiled_->regex, compiled_->format,
                                           boost::match_default | boost::format_perl));
    } catch (const std::exception&) {
        // Past the name's budget of states or the matcher's stack
        // (error_complexity, error_stack), or out of memory: nothing is
        // replaced, and the caller is told.
        std::lock_guard<std::mutex> hold(compiled_->lock);
        if (!compiled_->tooComplexName) compiled_->tooComplexName = std::u16string(name);
        return tooComplex(name);
    }
}

std::u16string NameProblemMessage(NameProblem problem, std::u16string_view detail) {
    switch (problem) {
    case NameProblem::None: return {};
    case NameProblem::InvalidPattern:
        return u"Find and replace: the pattern is not valid: " + std::u16string(detail);
    case NameProblem::TooComplex:
        return u"Find and replace: the pattern is too complex to match the name \"" + std::u16string(detail) + u"\"";
    case NameProblem::NameList: return u"From List: " + std::u16string(detail);
    }
    return {};
}

}  // namespace qm
