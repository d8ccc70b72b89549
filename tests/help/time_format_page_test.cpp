// The help page on time formats tells the truth: every example on it is run
// through the program's own expander, and every token that the expander knows
// has its row in the page's token table.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/timestamp/time_format.h"

namespace {

// The page's examples: Friday, 5 January 2024, 14:07:05.042 in Central Europe,
// 13:07:05.042 UTC, while the winter offset of one hour is in force.
constexpr std::uint64_t kInstant = 133'489'336'250'420'000;
constexpr qm::LocalOffset kCentralEurope = qm::kTicksPerHour;

std::string ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << "cannot read " << path;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Unescape(std::string text) {
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&nbsp;", " "}, {"&amp;", "&"}};
    for (auto [entity, character] : entities)
        for (std::size_t at; (at = text.find(entity)) != std::string::npos;)
            text.replace(at, std::strlen(entity), character);
    return text;
}

// The pages are ASCII, so a unit-by-unit copy converts both ways.
std::u16string Widen(const std::string& text) { return {text.begin(), text.end()}; }
std::string Narrow(const std::u16string& text) { return {text.begin(), text.end()}; }

// What a time stamp becomes in a file name: the expansion without the characters
// that a name cannot hold.
std::string AsNamePart(const std::string& format) {
    char16_t out[1024];
    const std::size_t length = qm::ExpandTimeFormat(kInstant, Widen(format), kCentralEurope, out, 1024);
    std::string text = Narrow(std::u16string(out, length));
    std::erase_if(text, [](char c) { return std::string_view("*|\\/:\"<>?^").find(c) != std::string_view::npos; });
    return text;
}

// The texts of a table row's cells.
std::vector<std::string> CellsOf(const std::string& row) {
    std::vector<std::string> cells;
    const std::regex cell(R"(<td[^>]*>([\s\S]*?)</td>)");
    for (std::sregex_iterator it(row.begin(), row.end(), cell), end; it != end; ++it) cells.push_back((*it)[1]);
    return cells;
}

// Pairs of format and result shown on the page: table rows whose first cell is a
// format in <code> and whose last cell shows the result in its first <code>, and
// sentences "<code>format</code> gives <code>result</code>".
std::vector<std::pair<std::string, std::string>> ExamplesOf(const std::string& page) {
    std::vector<std::pair<std::string, std::string>> examples;
    const std::regex row(R"(<tr>([\s\S]*?)</tr>)");
    const std::regex format(R"(^<code>([^<]*)</code>$)");
    const std::regex result(R"(<code>([^<]*)</code>)");
    for (std::sregex_iterator it(page.begin(), page.end(), row), end; it != end; ++it) {
        const std::vector<std::string> cells = CellsOf((*it)[1]);
        std::smatch first, last;
        if (cells.size() >= 2 && std::regex_match(cells.front(), first, format) &&
            std::regex_search(cells.back(), last, result))
            examples.emplace_back(Unescape(first[1]), Unescape(last[1]));
    }
    const std::regex sentence(R"(<code>([^<]*)</code>\s+gives\s+<code>([^<]*)</code>)");
    for (std::sregex_iterator it(page.begin(), page.end(), sentence), end; it != end; ++it)
        examples.emplace_back(Unescape((*it)[1]), Unescape((*it)[2]));
    return examples;
}

TEST(TimeFormatPage, EveryExampleIsWhatTheProgramGives) {
    const std::string page = ReadFile(QUILLMOTH_TIME_FORMAT_PAGE);
    const auto examples = ExamplesOf(page);
    // The token table shows 35 examples (34 tokens and "%%"), the examples table 9.
    ASSERT_GE(examples.size(), 44u) << "the page's examples were not found";
    for (const auto& [format, result] : examples) EXPECT_EQ(AsNamePart(format), result) << "format " << format;
}

TEST(TimeFormatPage, EveryTokenOfTheExpanderHasARow) {
    const std::string page = ReadFile(QUILLMOTH_TIME_FORMAT_PAGE);
    const std::string source = ReadFile(QUILLMOTH_TIME_FORMAT_SOURCE);
    std::vector<std::string> tokens{"utc"};
    const std::regex known(R"re(token == u"([^"]+)")re");
    for (std::sregex_iterator it(source.begin(), source.end(), known), end; it != end; ++it)
        tokens.push_back((*it)[1]);
    ASSERT_GE(tokens.size(), 35u) << "the expander's tokens were not found";
    for (const std::string& token : tokens)
        EXPECT_NE(page.find("<tr><td><code>%" + token + "%</code></td>"), std::string::npos)
            << "no row for %" << token << "%";
}

}  // namespace
