// The order of "Sort as Explorer does": the comparison of two names or paths,
// and the stable orders of a column built on it.
#include "core/text/natural_order.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/rows/file_order.h"
#include "core/rows/list_editing.h"
#include "core/timestamp/list_date.h"
#include "instant_at.h"

namespace qm {
namespace {

// Folds the letters beyond ASCII that the table holds, as the platform folds them.
void FoldLatinAndGreek(std::u16string& text) {
    for (char16_t& unit : text)
        if ((unit >= 0xC0 && unit <= 0xDE && unit != 0xD7) || (unit >= 0x391 && unit <= 0x3A9)) unit += 0x20;
}

int Compare(std::u16string_view a, std::u16string_view b) {
    const int c = CompareNaturally(FoldedForSorting(a, FoldLatinAndGreek), FoldedForSorting(b, FoldLatinAndGreek));
    return (c > 0) - (c < 0);
}

std::string Utf8(std::u16string_view text) {
    std::string out;
    for (char16_t unit : text) out += unit < 0x80 ? static_cast<char>(unit) : '?';
    return out;
}

TEST(NaturalOrder, ComparesDigitsByValueLettersWithoutCaseAndPathsFolderByFolder) {
    const struct {
        const char* what;
        std::u16string a, b;
        int sign;  // of a against b
    } cases[] = {
        {"digits by value", u"IMG_2.jpg", u"IMG_10.jpg", -1},
        {"digits by value", u"file 9", u"file 10", -1},
        {"runs longer than any integer", u"a18446744073709551615", u"a18446744073709551616", -1},
        {"leading zeros after the shorter form", u"1", u"01", -1},
        {"a zero is a value", u"0", u"00", -1},
        {"zeros count by value first", u"01", u"2", -1},
        {"zeros decide only when all else is equal", u"img01b", u"img1c", -1},
        {"zeros decide only when all else is equal", u"a1b01", u"a01b1", -1},
        {"ASCII case", u"Holiday.JPG", u"holiday.jpg", 0},
        {"ASCII case", u"apple", u"Banana", -1},
        {"case beyond ASCII", u"\u00C4pfel", u"\u00E4pfel", 0},
        {"case beyond ASCII", u"\u03A9mega 2", u"\u03C9mega 10", -1},
        {"letters beyond ASCII after z", u"zebra", u"\u00E9clair", -1},
        {"signs before digits before letters", u"_a", u"1a", -1},
        {"signs before digits before letters", u"1a", u"a", -1},
        {"a name before the longer names it begins", u"IMG.jpg", u"IMG (2).jpg", -1},
        {"a name before the longer names it begins", u"IMG", u"IMG_1", -1},
        {"a name before the longer names it begins", u"a.txt", u"a_b.txt", -1},
        {"folder by folder", u"C:\\a\\z.jpg", u"C:\\a b\\a.jpg", -1},
        {"folder by folder", u"C:\\a", u"C:\\a\\b", -1},
        {"folder by folder", u"D:\\photos 2\\x", u"D:\\Photos 10", -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Compare(c.a, c.b), c.sign) << c.what << ": " << Utf8(c.a) << " against " << Utf8(c.b);
        EXPECT_EQ(Compare(c.b, c.a), -c.sign) << c.what << ", turned round: " << Utf8(c.b) << " against " << Utf8(c.a);
    }
}

TEST(NaturalOrder, EqualNamesKeepTheirOrderEitherWayRoundAndDatesLeaveTheUndatedLast) {
    const std::vector<std::u16string_view> names = {u"b", u"A", u"img_10", u"a", u"IMG_2", u"\u00C4", u"\u00E4", u"A"};
    using Order = std::vector<std::size_t>;
    EXPECT_EQ(NaturalOrderOfTexts(names, FoldLatinAndGreek, false), (Order{1, 3, 7, 0, 4, 2, 5, 6}));
    EXPECT_EQ(NaturalOrderOfTexts(names, FoldLatinAndGreek, true), (Order{5, 6, 2, 4, 0, 1, 3, 7}));

    // Modified, month first in the text: by the instant, the rows without one last both ways.
    FileTable table(5);
    const std::uint64_t times[] = {At(2024, 1, 5, 0, 0, 0, 0), 0, At(2020, 12, 1, 0, 0, 0, 0), 0,
                                   At(2023, 6, 30, 0, 0, 0, 0)};
    for (std::size_t i = 0; i < table.size(); ++i)
        if (times[i] != 0) table[i].modified = times[i];
    ColumnSort sort{FileColumn::Modified, true, false, nullptr, 0};
    EXPECT_EQ(OrderOfColumn(table, sort), (Order{2, 4, 0, 1, 3}));
    sort.descending = true;
    EXPECT_EQ(OrderOfColumn(table, sort), (Order{0, 4, 2, 1, 3}));
    sort.asExplorer = sort.descending = false;
    EXPECT_EQ(OrderOfColumn(table, sort), (Order{1, 3, 0, 4, 2})) << "unticked: by the text, as before";
}

}  // namespace
}  // namespace qm
