// The pieces of the settings file codec: decimal numbers, the hex form, and the
// 1024-unit line reading.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/settings_file/decimal_text.h"
#include "core/settings_file/hex_form.h"
#include "core/settings_file/settings_line_reader.h"
#include "settings_fixture.h"

namespace qm {
namespace {

TEST(SettingsDecimal, ParsesLikeTheFileAlwaysHas) {
    EXPECT_EQ(ParseSettingsDecimal(u"  +200abc"), 200u);
    EXPECT_EQ(ParseSettingsDecimal(u""), 0u);
    EXPECT_EQ(ParseSettingsDecimal(u"abc"), 0u);
    EXPECT_EQ(ParseSettingsDecimal(u"-1"), 4294967295u);
    EXPECT_EQ(ParseSettingsDecimal(u"\t\v\f 17"), 17u);
    EXPECT_EQ(ParseSettingsDecimal(u"12 34"), 12u);
    EXPECT_EQ(ParseSettingsDecimal(u"+-5"), 0u);   // one sign only
    EXPECT_EQ(ParseSettingsDecimal(u"- 5"), 0u);   // no blank after the sign
    EXPECT_EQ(ParseSettingsDecimal(u"-0"), 0u);
    EXPECT_EQ(ParseSettingsDecimal(u"4294967295"), 4294967295u);
    EXPECT_EQ(ParseSettingsDecimal(u"4294967296"), 0u);           // modulo 2^32
    EXPECT_EQ(ParseSettingsDecimal(u"99999999999"), 1215752191u); // 99999999999 mod 2^32
    EXPECT_EQ(ParseSettingsDecimal(u"-2147483648"), 2147483648u);
    EXPECT_EQ(ParseSettingsDecimal(u"\uFF11"), 0u);  // full-width digit is no digit
}

TEST(SettingsDecimal, FormatsBothSignedAndUnsigned) {
    std::u16string out;
    AppendUnsignedDecimal(out, 0);
    out += u',';
    AppendUnsignedDecimal(out, 4294967295u);
    out += u',';
    AppendSignedDecimal(out, -2147483647 - 1);
    out += u',';
    AppendSignedDecimal(out, -5);
    out += u',';
    AppendSignedDecimal(out, 65546);
    EXPECT_EQ(out, u"0,4294967295,-2147483648,-5,65546");
}

TEST(SettingsHexForm, EncodesUpperCaseInMemoryOrder) {
    std::u16string out = u"x=";
    const std::vector<std::uint8_t> bytes = {0x00, 0x0F, 0xA0, 0xFF, 0x5c};
    AppendHexForm(out, bytes);
    EXPECT_EQ(out, u"x=000FA0FF5C");
}

TEST(SettingsHexForm, DecodesOnlyTheExactLength) {
    std::uint8_t field[4] = {9, 9, 9, 9};
    EXPECT_FALSE(DecodeHexForm(u"0102030", field));
    EXPECT_FALSE(DecodeHexForm(u"010203040", field));
    EXPECT_FALSE(DecodeHexForm(u"", field));
    EXPECT_EQ(field[0], 9);  // a refused value writes nothing
    EXPECT_EQ(field[3], 9);
    EXPECT_TRUE(DecodeHexForm(u"0aFf7B10", field));
    EXPECT_EQ(field[0], 0x0A);
    EXPECT_EQ(field[1], 0xFF);
    EXPECT_EQ(field[2], 0x7B);
    EXPECT_EQ(field[3], 0x10);
}

TEST(SettingsHexForm, PairThatIsNotHexKeepsItsLeadingDigit) {
    std::uint8_t field[5] = {};
    ASSERT_TRUE(DecodeHexForm(u"4GG4zz- f ", field));
    EXPECT_EQ(field[0], 4);    // "4G"
    EXPECT_EQ(field[1], 0);    // "G4": no leading digit
    EXPECT_EQ(field[2], 0);    // "zz"
    EXPECT_EQ(field[3], 0);    // "- "
    EXPECT_EQ(field[4], 0xF);  // "f "
}

std::vector<std::u16string> AllPieces(const std::vector<std::uint8_t>& bytes) {
    SettingsLineReader reader = OpenSettingsLines(bytes);
    SettingsLine line;
    std::vector<std::u16string> pieces;
    while (ReadSettingsLine(reader, line)) pieces.emplace_back(line.raw());
    return pieces;
}

TEST(SettingsLineReader, KeepsLineBreaksAndSkipsOnlyALeadingMark) {
    const auto pieces = AllPieces(test::LittleEndian(u"\uFEFFa\r\n\r\nb\nc\rd\uFEFF"));
    const std::vector<std::u16string> expected = {u"a\r\n", u"\r\n", u"b\n", u"c\rd\uFEFF"};
    EXPECT_EQ(pieces, expected);
    // Without the mark the first unit is text.
    EXPECT_EQ(AllPieces(test::LittleEndian(u"x\r\n")), std::vector<std::u16string>{u"x\r\n"});
}

TEST(SettingsLineReader, SplitsLongLinesInto1023UnitPieces) {
    const std::u16string longLine = test::Repeated(u'a', 2100) + u"\r\n";
    const auto pieces = AllPieces(test::LittleEndian(longLine));
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].size(), 1023u);
    EXPECT_EQ(pieces[1].size(), 1023u);
    EXPECT_EQ(pieces[2], test::Repeated(u'a', 54) + u"\r\n");

    // 1022 units and CR fill one piece, so the LF arrives alone: an empty line.
    const auto boundary = AllPieces(test::LittleEndian(test::Repeated(u'b', 1022) + u"\r\n"));
    ASSERT_EQ(boundary.size(), 2u);
    SettingsLine lf;
    lf.units[0] = u'\n';
    lf.length = 1;
    EXPECT_EQ(boundary[1], lf.raw());
    EXPECT_TRUE(IsEmptySettingsLine(lf));
}

TEST(SettingsLineReader, IgnoresALastOddByteAndEmptyData) {
    std::vector<std::uint8_t> bytes = test::LittleEndian(u"ab");
    bytes.push_back(0x41);
    EXPECT_EQ(AllPieces(bytes), std::vector<std::u16string>{u"ab"});
    EXPECT_TRUE(AllPieces({}).empty());
    EXPECT_TRUE(AllPieces({0xFF}).empty());
    EXPECT_TRUE(AllPieces({0xFF, 0xFE}).empty());  // the mark alone
}

TEST(SettingsLineReader, CutsAtTheFirstLineBreakOrZeroUnit) {
    SettingsLine line;
    const std::u16string samples[] = {u"key=v\r\n", u"key=v\rrest\n", u"key=v\nmore",
                                      std::u16string(u"key=v\0x\r\n", 9)};
    for (const std::u16string& sample : samples) {
        line.length = sample.size();
        std::copy(sample.begin(), sample.end(), line.units.begin());
        EXPECT_EQ(CutSettingsLine(line), u"key=v");
    }
}

TEST(SettingsLineReader, TellsTheTwoKindsOfSectionEnd) {
    auto lineOf = [](std::u16string_view text) {
        SettingsLine line;
        std::copy(text.begin(), text.end(), line.units.begin());
        line.length = text.size();
        return line;
    };
    EXPECT_TRUE(IsEmptySettingsLine(lineOf(u"\r\n")));
    EXPECT_TRUE(IsEmptySettingsLine(lineOf(u"\n")));
    EXPECT_FALSE(IsEmptySettingsLine(lineOf(u"\r")));
    EXPECT_FALSE(IsEmptySettingsLine(lineOf(u" \r\n")));
    EXPECT_FALSE(IsEmptySettingsLine(lineOf(u"\r\rx\n")));
    EXPECT_TRUE(StartsWithLineBreak(lineOf(u"\r\rx\n")));
    EXPECT_TRUE(StartsWithLineBreak(lineOf(u"\nx")));
    EXPECT_FALSE(StartsWithLineBreak(lineOf(u" \r\n")));
}

}  // namespace
}  // namespace qm
