#include "core/outside/command_line_words.h"

namespace qm {

namespace {

bool Blank(char16_t c) { return c == u' ' || c == u'\t'; }
bool WhiteSpace(char16_t c) { return Blank(c) || (c >= u'\n' && c <= u'\r'); }

// Where the arguments start: after the program's name and the blanks behind it.
std::size_t ArgumentsStart(std::u16string_view line) {
    std::size_t i = 0;
    if (!line.empty() && line[0] == u'"') {
        i = line.find(u'"', 1);
        i = i == std::u16string_view::npos ? line.size() : i + 1;
    } else {
        while (i < line.size() && !WhiteSpace(line[i])) ++i;
        if (i < line.size()) ++i;  // the one character that ended the name
    }
    while (i < line.size() && Blank(line[i])) ++i;
    return i;
}

}  // namespace

std::vector<std::u16string> CommandLineArguments(std::u16string_view line) {
    std::vector<std::u16string> words;
    std::size_t i = ArgumentsStart(line);
    if (i >= line.size()) return words;

    std::u16string word;
    // `quotes` counts the quotes seen in a row, modulo three: 1 means inside
    // quotes; a third quote in a row stands for itself.
    int quotes = 0;
    std::size_t backslashes = 0;
    while (i < line.size()) {
        const char16_t c = line[i];
        if (Blank(c) && quotes == 0) {
            words.push_back(std::move(word));
            word.clear();
            backslashes = 0;
            while (i < line.size() && Blank(line[i])) ++i;
            if (i == line.size()) return words;
        } else if (c == u'\\') {
            word += c;
            ++backslashes;
            ++i;
        } else if (c == u'"') {
            if (backslashes % 2 == 0) {
                word.resize(word.size() - backslashes / 2);  // 2n backslashes: n of them, the quote opens or closes
                ++quotes;
            } else {
                word.resize(word.size() - backslashes / 2 - 1);  // 2n+1: n of them and a plain quote
                word += u'"';
            }
            ++i;
            backslashes = 0;
            for (; i < line.size() && line[i] == u'"'; ++i) {
                if (++quotes == 3) {
                    word += u'"';
                    quotes = 0;
                }
            }
            if (quotes == 2) quotes = 0;
        } else {
            word += c;
            backslashes = 0;
            ++i;
        }
    }
    words.push_back(std::move(word));
    return words;
}

}  // namespace qm
