// List files of paths: the three encodings, line ends, blank lines, and any
// bytes at all without a crash.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "core/outside/path_list_reader.h"

namespace qm {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::u16string>;

Bytes Utf8(const std::string& text, bool mark) {
    const std::string marked = (mark ? std::string("\xEF\xBB\xBF") : std::string()) + text;
    return Bytes(marked.begin(), marked.end());
}

Bytes Utf16(const std::u16string& text) {
    Bytes bytes = {0xFF, 0xFE};
    for (char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

const Lines Expected = {u"C:\\Fotos\\Ürlaub 2024\\a.jpg", u"D:\\日本\\\U0001F600 b.png", u"relative\\c.txt",
                        u"\\\\server\\share\\d"};

TEST(PathListReader, EveryEncodingAndLineEndGivesTheSameLines) {
    const std::string utf8 = "C:\\Fotos\\\xC3\x9Crlaub 2024\\a.jpg\nD:\\\xE6\x97\xA5\xE6\x9C\xAC\\\xF0\x9F\x98\x80 b.png\n"
                             "relative\\c.txt\n\\\\server\\share\\d";
    const std::u16string utf16 = u"C:\\Fotos\\Ürlaub 2024\\a.jpg\nD:\\日本\\\U0001F600 b.png\nrelative\\c.txt\n\\\\server\\share\\d";
    auto crlf = [](auto text) {
        decltype(text) out;
        for (auto c : text) {
            if (c == '\n') out += static_cast<decltype(c)>('\r');
            out += c;
        }
        return out;
    };
    for (const Bytes& bytes : {Utf8(utf8, false), Utf8(utf8, true), Utf8(crlf(utf8), false),
                               Utf8(crlf(utf8) + "\r\n", true), Utf16(utf16), Utf16(crlf(utf16) + u"\r\n")})
        EXPECT_EQ(ReadPathList(bytes), Expected);
}

TEST(PathListReader, BlankLinesGoAndQuotesComeOff) {
    const std::string text = "\n\r\n  \t \r\nC:\\a.txt\n\n\"C:\\My Files\\b.txt\"\r\n\"\"\n   C:\\c.txt\n \"\" \n\"half\n";
    EXPECT_EQ(ReadPathList(Utf8(text, true)),
              (Lines{u"C:\\a.txt", u"C:\\My Files\\b.txt", u"   C:\\c.txt", u" \"\" ", u"\"half"}));
    EXPECT_TRUE(ReadPathList(Bytes{}).empty());
    EXPECT_TRUE(ReadPathList(Bytes{0xEF, 0xBB, 0xBF}).empty());
    EXPECT_TRUE(ReadPathList(Bytes{0xFF, 0xFE}).empty());
    EXPECT_TRUE(ReadPathList(Utf16(u"\r\n\r\n \r\n")).empty());
}

TEST(PathListReader, BytesThatAreNotUtf8ReadAsReplacementCharacters) {
    struct Case {
        Bytes bytes;
        std::u16string line;
    } cases[] = {
        {{'a', 0xFF, 'b'}, u"a\uFFFDb"},
        {{'a', 0xC3}, u"a\uFFFD"},                          // cut short at the end
        {{0xC0, 0xAF}, u"\uFFFD\uFFFD"},                    // overlong "/"
        {{0xED, 0xA0, 0x80}, u"\uFFFD\uFFFD\uFFFD"},        // a surrogate written as UTF-8
        {{0xF4, 0x90, 0x80, 0x80}, u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
        {{0xE2, 0x82, 'x'}, u"\uFFFD\uFFFDx"},
        {{0xF0, 0x9F, 0x98, 0x80}, u"\U0001F600"},
        {{0xFE, 0xFF, 0, 'a'}, std::u16string(u"\uFFFD\uFFFD\0a", 4)},  // big-endian UTF-16 is not read as such
    };
    for (const Case& c : cases) {
        const Lines lines = ReadPathList(c.bytes);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0], c.line);
    }
    // UTF-16: an odd last byte is dropped, a lone surrogate kept (a name may hold one).
    EXPECT_EQ(ReadPathList(Bytes{0xFF, 0xFE, 'a', 0, 0x00, 0xD8, 'z'}), (Lines{u"a\xD800"}));
}

TEST(PathListReader, AHundredThousandPathsInEitherEncoding) {
    Lines paths;
    std::u16string utf16;
    std::string utf8;
    for (int i = 0; i < 100'000; ++i) {
        const std::string name = "C:\\Fotos\\Reise " + std::to_string(i) + "\xC3\xA9.jpg";
        paths.push_back(u"C:\\Fotos\\Reise " + std::u16string(name.begin() + 15, name.end() - 6) + u"é.jpg");
        utf8 += name + "\r\n";
        utf16 += paths.back() + u"\n";
    }
    EXPECT_EQ(ReadPathList(Utf8(utf8, false)), paths);
    EXPECT_EQ(ReadPathList(Utf16(utf16)), paths);
}

TEST(PathListReader, RandomBytesGiveLinesWithoutBreaksOrBlanks) {
    std::mt19937 random(15);
    for (int round = 0; round < 300; ++round) {
        Bytes bytes(random() % 4000);
        for (std::uint8_t& b : bytes) b = static_cast<std::uint8_t>(random() % 5 == 0 ? '\n' : random());
        if (round % 3 == 0 && bytes.size() >= 2) bytes[0] = 0xFF, bytes[1] = 0xFE;
        std::size_t breaks = 0;
        for (std::uint8_t b : bytes) breaks += b == '\n';
        const Lines lines = ReadPathList(bytes);
        EXPECT_LE(lines.size(), breaks + 1);
        for (const std::u16string& line : lines) {
            EXPECT_EQ(line.find(u'\n'), std::u16string::npos);
            EXPECT_NE(line.find_first_not_of(u" \t"), std::u16string::npos);
        }
    }
}

}  // namespace
}  // namespace qm
