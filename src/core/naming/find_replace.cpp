#include "core/naming/find_replace.h"

#include <boost/regex.hpp>

#include <exception>

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

struct NameReplacer::Compiled {
    NameRegex regex;
    std::wstring format;
};

NameReplacer::NameReplacer(const FindReplace& options) : options_(options) {
    if (!options.regex || options.find.empty()) return;
    const boost::regex_constants::syntax_option_type flags =
        options.matchCase ? boost::regex_constants::perl : boost::regex_constants::perl | boost::regex_constants::icase;
    try {
        compiled_ = std::make_unique<Compiled>(Compiled{NameRegex(Wide(options.find), flags), Wide(options.replace)});
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
    try {
        const std::wstring wide = Wide(name);
        return Narrow(boost::regex_replace(wide, compiled_->regex, compiled_->format,
                                           boost::match_default | boost::format_perl));
    } catch (const std::exception&) {
        // Past the matcher's bounds on the number of states or on its stack
        // (error_complexity, error_stack), or out of memory: nothing is
        // replaced, and the caller is told.
        if (problem) *problem = NameProblem::TooComplex;
        if (problemText) *problemText = std::u16string(name);
        return std::u16string(name);
    }
}

std::u16string NameProblemMessage(NameProblem problem, std::u16string_view detail) {
    switch (problem) {
    case NameProblem::None: return {};
    case NameProblem::InvalidPattern:
        return u"Find and replace: the pattern is not valid: " + std::u16string(detail);
    case NameProblem::TooComplex:
        return u"Find and replace: the pattern is too complex to match the name \"" + std::u16string(detail) + u"\"";
    }
    return {};
}

}  // namespace qm
