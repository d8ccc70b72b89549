// "Case": the four modes through a test mapping that knows a few letters
// beyond ASCII (and makes ß two letters in upper case, as some platforms do),
// and "Case" acting last in the name function, the extension left alone.
#include <gtest/gtest.h>

#include <string>

#include "core/naming/new_name.h"
#include "core/text/name_case.h"

namespace qm::test {
namespace {

// é É, ä Ä, σ Σ, ο Ο, д Д, а А and a pair from beyond the first 65,536
// letters, lower and upper; ß has no single upper form here.
constexpr std::u16string_view Pairs[][2] = {{u"\u00E9", u"\u00C9"}, {u"\u00E4", u"\u00C4"}, {u"\u03C3", u"\u03A3"},
                                            {u"\u03BF", u"\u039F"}, {u"\u0434", u"\u0414"}, {u"\u0430", u"\u0410"},
                                            {u"\U00010428", u"\U00010400"}};

std::u16string TestMapping(std::u16string_view text, LetterCase to) {
    std::u16string out;
    for (std::size_t at = 0, units = 1; at < text.size(); at += units) {
        units = text[at] >= 0xD800 && text[at] <= 0xDBFF && at + 1 < text.size() ? 2 : 1;
        const std::u16string_view character = text.substr(at, units);
        std::u16string mapped = character == u"\u00DF" && to == LetterCase::Upper ? u"SS" : AsciiCaseMapping(character, to);
        for (const auto& pair : Pairs)
            if (character == pair[0] || character == pair[1]) mapped = pair[to == LetterCase::Upper ? 1 : 0];
        out += mapped;
    }
    return out;
}

TEST(NameCase, ModesWordsAndLettersBeyondAscii) {
    struct Case {
        NameCase mode;
        std::u16string_view name;
        std::u16string_view expected;
    } cases[] = {
        {NameCase::AsIs, u"wOn't STOP", u"wOn't STOP"},
        {NameCase::Lower, u"\u00C4RGER \u00C9T\u00C9 \u0414\u0410", u"\u00E4rger \u00E9t\u00E9 \u0434\u0430"},
        {NameCase::Upper, u"stra\u00DFe \u03C3\u03BF", u"STRASSE \u03A3\u039F"},
        // Title Case: an apostrophe or a digit starts no word.
        {NameCase::Title, u"won't STOP", u"Won't Stop"},
        {NameCase::Title, u"2nd take", u"2nd Take"},
        {NameCase::Title, u"a b_c-d.e(f)[g]h", u"A B_C-D.E(F)[G]h"},
        {NameCase::Title, u"\u00E9T\u00C9 d'\u00E4te", u"\u00C9t\u00E9 D'\u00E4te"},
        {NameCase::Title, u"\u0434\u0410 \u03C3\u039F", u"\u0414\u0430 \u03A3\u03BF"},
        {NameCase::Title, u"\U00010400\U00010400 \U00010428", u"\U00010400\U00010428 \U00010400"},
        // A mapping that changes a text's length is asked letter by letter.
        {NameCase::Title, u"STRA\u00DFE ist", u"Stra\u00DFe Ist"},
        // Sentence case: the first letter, wherever it stands.
        {NameCase::Sentence, u"01 - THE WALL, PART 2", u"01 - The wall, part 2"},
        {NameCase::Sentence, u"\u00E9T\u00C9 \u00C0", u"\u00C9t\u00E9 \u00C0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CasedName(c.name, c.mode, TestMapping), c.expected) << static_cast<int>(c.mode);

    // Without a mapping, the ASCII letters alone.
    EXPECT_EQ(CasedName(u"\u00E9t\u00E9 won't", NameCase::Title, nullptr), u"\u00E9t\u00E9 Won't");
    EXPECT_EQ(NameCaseFromNumber(5), NameCase::AsIs);
}

TEST(NameCase, ActsLastOnTheWholeBaseNameNotOnTheExtension) {
    RenameOptions o;
    o.fileNames = o.keepName = o.extensionLowercase = true;
    o.spacer = u"_";
    o.zerosText = u"2";
    o.prefix = {true, true, false, true, u"trip"};  // "Uppercase" first: TRIP
    o.findReplace = {u"IMG", u"holiday PHOTO", false, false};
    o.nameCase = NameCase::Title;
    o.caseMapping = TestMapping;
    EXPECT_EQ(NewName(PlanNames(o), u"IMG \u00E9t\u00E9.JPG", 7), u"Trip_Holiday Photo \u00C9t\u00E9_07.jpg");
}

}  // namespace
}  // namespace qm::test
