// The command-line splitter against the rules of the system's own splitter;
// tests/win32 compares the two on random lines under Wine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/outside/command_line_words.h"

namespace qm {
namespace {

using Words = std::vector<std::u16string>;

TEST(CommandLineWords, SplitsAsTheSystemDoes) {
    struct Case {
        const char16_t* line;
        Words words;
    } cases[] = {
        // The program's name is left out, quoted or not, with or without blanks.
        {u"Quillmoth.exe", {}},
        {u"\"C:\\Program Files\\Quillmoth.exe\"", {}},
        {u"\"C:\\Program Files\\Quillmoth.exe\"a b", {u"a", u"b"}},
        {u"\"C:\\a b\\Q.exe\"   C:\\x.txt", {u"C:\\x.txt"}},
        {u"Q.exe\tC:\\x.txt\t ", {u"C:\\x.txt"}},
        {u"C:\\dir\\\"Q.exe a", {u"a"}},  // an unquoted name ends at white space only
        // Quotes group blanks; blanks and tabs part words.
        {u"Q \"C:\\My Files\\a b.txt\" C:\\c.txt", {u"C:\\My Files\\a b.txt", u"C:\\c.txt"}},
        {u"Q a\t\tb   c", {u"a", u"b", u"c"}},
        {u"Q pre\"fix mid\"dle", {u"prefix middle"}},
        {u"Q \"\" x", {u"", u"x"}},
        {u"Q \"unended quote", {u"unended quote"}},
        // Backslashes are plain, except right before a quote.
        {u"Q C:\\a\\b\\ \"C:\\c d\\\\\"", {u"C:\\a\\b\\", u"C:\\c d\\"}},
        {u"Q a\\\\\\\"b", {u"a\\\"b"}},
        {u"Q a\\\\\"b c\"", {u"a\\b c"}},
        {u"Q \\\"x\\\"", {u"\"x\""}},
        // Quotes in a row: the third stands for itself.
        {u"Q \"a\"\"\"b\"", {u"a\"b"}},
        {u"Q \"\"\"a\"\"\" b", {u"\"a\"", u"b"}},
        // Any character is taken as it is, outside ASCII too.
        {u"Q C:\\Fotos\\Ürlaub_日本_\U0001F600.jpg @C:\\Lists\\ñ.txt",
         {u"C:\\Fotos\\Ürlaub_日本_\U0001F600.jpg", u"@C:\\Lists\\ñ.txt"}},
        {u"", {}},
        {u"Q    ", {}},
    };
    for (const Case& c : cases) {
        const std::u16string line = c.line;
        EXPECT_EQ(CommandLineArguments(line), c.words) << std::string(line.begin(), line.end());
    }
}

TEST(CommandLineWords, ALongLineOfQuotedPathsComesBackWhole) {
    // What "Send to" makes of a large selection: each path in quotes.
    Words paths;
    std::u16string line = u"\"C:\\Quillmoth\\Quillmoth.exe\"";
    for (int i = 0; i < 2000; ++i) {
        paths.push_back(u"C:\\A folder\\file " + std::u16string(1, char16_t(u'a' + i % 26)) + u".txt");
        line += u" \"" + paths.back() + u"\"";
    }
    EXPECT_EQ(CommandLineArguments(line), paths);
}

}  // namespace
}  // namespace qm
