// Dropping forbidden characters from generated names and typed extensions.
#include <gtest/gtest.h>

#include <string>

#include "core/text/remove_characters.h"

namespace qm {
namespace {

struct RemovalCase {
    std::u16string text;
    std::u16string characters;
    std::u16string expected;
};

TEST(RemoveCharacters, KeepsEveryOtherUnitInOrder) {
    const RemovalCase cases[] = {
        {u"", NameForbiddenCharacters.data(), u""},
        {u"plain", NameForbiddenCharacters.data(), u"plain"},
        {u"Jan05-2024-14:07", NameForbiddenCharacters.data(), u"Jan05-2024-1407"},
        {u"*|\\/:\"<>?^", NameForbiddenCharacters.data(), u""},
        {u"a*b|c\\d/e:f\"g<h>i?j^k", NameForbiddenCharacters.data(), u"abcdefghijk"},
        {u"::x::", u":", u"x"},
        {u"t a r.g z", u". ", u"targz"},
        {u"a\u00BBb", u"\u00BB", u"ab"},
        {u"\u00E4\u00BB\u20AC", u"\u00BB", u"\u00E4\u20AC"},  // neighbours of the removed unit stay
        {u"same", u"", u"same"},
    };
    for (const RemovalCase& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        EXPECT_EQ(RemoveCharacters(c.text, c.characters), c.expected);
    }
}

TEST(RemoveCharacters, TheForbiddenNameCharactersAreTheTenOfTheNameRule) {
    EXPECT_EQ(NameForbiddenCharacters, u"*|\\/:\"<>?^");
}

}  // namespace
}  // namespace qm
