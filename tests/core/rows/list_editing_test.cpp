#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "core/settings/history.h"
#include "core/rows/file_table.h"
#include "core/rows/list_editing.h"

namespace qm {
namespace {

struct Row {
    std::u16string text;
    bool checked = false;
    friend bool operator==(const Row&, const Row&) = default;
};

std::vector<Row> Rows(std::initializer_list<const char16_t*> texts) {
    std::vector<Row> rows;
    for (const char16_t* t : texts) rows.push_back({t});
    return rows;
}

std::u16string Joined(const std::vector<Row>& rows) {
    std::u16string out;
    for (const Row& r : rows) out += r.text + (r.checked ? u"+" : u"") + u" ";
    return out;
}

TEST(ListEditing, RemoveSelectedOrAll) {
    std::vector<Row> rows = Rows({u"a", u"b", u"c", u"d", u"e"});
    std::vector<bool> selected = {false, true, false, true, false};
    RemoveRows(rows, selected);
    EXPECT_EQ(Joined(rows), u"a c e ");
    EXPECT_EQ(selected, std::vector<bool>(3, false));
    RemoveRows(rows, selected);
    EXPECT_TRUE(rows.empty());
}

TEST(ListEditing, MoveWrapsAroundAndCarriesCheckStates) {
    struct Case {
        long index;
        int direction;
        long result;
        std::u16string after;
    } cases[] = {
        {0, -1, 3, u"b c+ d a+ "}, {3, 1, 0, u"d a+ b c+ "}, {1, -1, 0, u"b a+ c+ d "},
        {1, 1, 2, u"a+ c+ b d "},  {2, 1, 3, u"a+ b d c+ "}, {4, 1, -1, u"a+ b c+ d "},
        {-1, 1, -1, u"a+ b c+ d "},
    };
    for (const Case& c : cases) {
        std::vector<Row> rows = {{u"a", true}, {u"b"}, {u"c", true}, {u"d"}};
        EXPECT_EQ(MoveRow(rows, c.index, c.direction), c.result);
        EXPECT_EQ(Joined(rows), c.after);
    }
    std::vector<Row> one = Rows({u"a"});
    EXPECT_EQ(MoveRow(one, 0, -1), -1);
}

TEST(ListEditing, StableSortIgnoringAsciiCaseOnlyWithSelectionFollowing) {
    std::vector<Row> rows = Rows({u"b.txt", u"A.txt", u"a.txt", u"c.txt", u"_x", u"10", u"9", u"\u00e9", u"\u00c9", u"Z"});
    std::vector<bool> selected = {false, false, true, false, false, false, false, false, false, false};
    ApplyOrder(rows, selected, SortedOrder(rows, [](const Row& r) { return std::u16string_view(r.text); }));
    EXPECT_EQ(Joined(rows), u"10 9 A.txt a.txt b.txt c.txt Z _x \u00c9 \u00e9 ");
    EXPECT_EQ(selected[3], true) << "a.txt stays selected at its new place";
    EXPECT_EQ(std::count(selected.begin(), selected.end(), true), 1);
    // Dates sort as text, month first.
    std::vector<Row> dates = Rows({u"12.01.2020 - 01:00:00.000 AM", u"01.05.2024 - 01:00:00.000 AM"});
    std::vector<bool> none(2, false);
    ApplyOrder(dates, none, SortedOrder(dates, [](const Row& r) { return std::u16string_view(r.text); }));
    EXPECT_EQ(dates[0].text.substr(0, 10), u"01.05.2024");
}

void FoldAcuteE(std::u16string& text) {
    for (char16_t& unit : text)
        if (unit == u'\u00c9') unit = u'\u00e9';
}

// The fast orderings against their plain rules: a stable sort by the
// comparison that folds only ASCII letters, by CompareNaturally either way
// round, and by the instant with the undated last; over random texts with
// shared beginnings or one layout throughout, few (each group compared) and
// thousands (sorted by counting, then group by group).
TEST(ListEditing, OrdersMatchAPlainStableSortOfTheirRule) {
    std::mt19937 random(3);
    const char16_t alphabet[] = u"aAbBc_zZ09.\u00e9\u00c9 \uAC00\uFF21\\0";  // units above 0x7FFF too
    const auto stableOrder = [](std::size_t count, const auto& before) {
        std::vector<std::size_t> order(count);
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::stable_sort(order.begin(), order.end(), before);
        return order;
    };
    for (int round = 0; round < 300; ++round) {
        const std::u16string common(random() % 6, u'p');
        // Thousands at times, some a power of two and one more (all of the index's bits in use).
        const std::size_t many = round % 30 == 9 ? 2048 : round % 30 == 19 ? 2049 : 1024 + random() % 3000;
        std::vector<std::u16string> texts(round % 10 == 9 || round % 10 == 3 ? many : random() % 60);
        const std::size_t units = round % 20 == 19 ? 30 : 7;  // long alike runs of digits too
        for (std::u16string& t : texts) {
            t = round % 2 ? common : u"";
            if (round % 5 == 4) {  // texts of one layout, as dates are shown; some cut short or empty
                for (const char16_t unit : std::u16string_view(u"DD.MM.2024 - hh:mm"))
                    t += unit >= u'A' ? static_cast<char16_t>(u'0' + random() % 3) : unit;
                if (random() % 8 == 0) t.resize(random() % (t.size() + 1));
                continue;
            }
            // Alike beyond the first units after the shared prefix, some far beyond.
            if (random() % 2) t += round % 4 == 3 ? u"Img_2024_Holiday_Alps_" : u"Img_20";
            for (std::size_t n = random() % units; n > 0; --n) t += alphabet[random() % (std::size(alphabet) - 1)];
        }
        const std::vector<std::u16string_view> views(texts.begin(), texts.end());
        ASSERT_EQ(SortedOrderOfTexts(views), stableOrder(texts.size(), [&](std::size_t a, std::size_t b) {
                      return CompareIgnoringAsciiCase(texts[a], texts[b]) < 0;
                  })) << "round " << round;

        // Without the platform's fold and with one that folds a letter beyond ASCII.
        for (const CaseFold fold : {CaseFold{}, FoldAcuteE}) {
            std::vector<std::u16string> folded;
            for (const std::u16string& t : texts) folded.push_back(FoldedForSorting(t, fold));
            for (const bool descending : {false, true})
                ASSERT_EQ(NaturalOrderOfTexts(views, fold, descending),
                          stableOrder(texts.size(), [&](std::size_t a, std::size_t b) {
                              const int c = CompareNaturally(folded[a], folded[b]);
                              return descending ? c > 0 : c < 0;
                          })) << "round " << round << (descending ? ", descending" : "") << (fold ? ", folded" : "");
        }

        std::vector<std::optional<std::uint64_t>> instants(texts.size());
        for (auto& instant : instants)
            if (random() % 8) instant = round % 3 ? random() % 50 : std::uint64_t{random()} << 32 | random();
        for (const bool descending : {false, true})
            ASSERT_EQ(OrderByInstants(instants, descending), stableOrder(texts.size(), [&](std::size_t a, std::size_t b) {
                          if (!instants[a] || !instants[b]) return instants[a].has_value() && !instants[b].has_value();
                          return descending ? *instants[a] > *instants[b] : *instants[a] < *instants[b];
                      })) << "round " << round << (descending ? ", descending" : "");
    }
    // The first heads are made by a plan of the first thousand texts: a last
    // text differing where those agree (in units that they hold elsewhere),
    // or holding a unit that none of them holds, must be planned for as well.
    for (const std::u16string_view last : {u"5p", u"p~"}) {
        std::vector<std::u16string> texts;
        for (int i = 0; i < 1100; ++i) {
            texts.push_back(u"p");
            for (int k = 0; k < 3; ++k) texts.back() += u"0123456789p"[random() % 11];
        }
        texts.emplace_back(last);
        const std::vector<std::u16string_view> views(texts.begin(), texts.end());
        ASSERT_EQ(SortedOrderOfTexts(views), stableOrder(texts.size(), [&](std::size_t a, std::size_t b) {
                      return CompareIgnoringAsciiCase(texts[a], texts[b]) < 0;
                  })) << std::string(last.begin(), last.end());
    }
}

struct VectorBox {
    std::vector<std::u16string> entries;
    std::u16string text;
    std::size_t size() const { return entries.size(); }
    const std::u16string& entry(std::size_t i) const { return entries[i]; }
    void erase(std::size_t i) { entries.erase(entries.begin() + static_cast<long>(i)); }
    void insertFront(std::u16string_view t) { entries.insert(entries.begin(), std::u16string(t)); }
    void setText(std::u16string_view t) { text = t; }
};

// "Taken" sorts by the instant: a date without a zone is local time here, one
// with a zone is that zone's; rows with a date come first, equal dates and
// rows without one keep their order.
TEST(ListEditing, OrderByDateTakenDatedFirstZonelessAsLocalTimeEqualsInPlace) {
    constexpr std::uint64_t Noon = 133'000'000'000'000'000ull;  // some day in 2022, 12:00 UTC
    constexpr LocalOffset TwoHoursEast = 2 * kTicksPerHour;
    const auto local = [](std::uint64_t clock) { return DateTaken{clock, false, std::nullopt}; };
    const auto zoned = [](std::uint64_t utc, std::int16_t minutes) { return DateTaken{utc, true, minutes}; };
    FileTable table(7);
    table[0].taken = std::nullopt;                                 // no date
    table[1].taken = local(Noon + TwoHoursEast + kTicksPerHour);   // 13:00 UTC here
    table[2].taken = zoned(Noon + 30 * 60 * 10'000'000ull, -300);  // 12:30 UTC, shown 07:30 in New York
    table[3].taken = std::nullopt;
    table[4].taken = local(Noon + TwoHoursEast);                   // 12:00 UTC, as row 5
    table[5].taken = zoned(Noon, 540);                             // 12:00 UTC, shown 21:00 in Tokyo
    table[6].taken = zoned(Noon - kTicksPerHour, 0);               // 11:00 UTC
    EXPECT_EQ(OrderByDateTaken(table, TwoHoursEast), (std::vector<std::size_t>{6, 4, 5, 2, 1, 0, 3}));
    // Read with no offset, the local dates move two hours later: after every zoned one.
    EXPECT_EQ(OrderByDateTaken(table, 0), (std::vector<std::size_t>{6, 5, 2, 4, 1, 0, 3}));
}

TEST(History, NewestFirstWithoutExactDuplicates) {
    VectorBox box{{u"x", u"Trip", u"y", u"Trip"}, u""};
    AddToHistory(box, u"y");
    EXPECT_EQ(box.entries, (std::vector<std::u16string>{u"y", u"x", u"Trip", u"Trip"}));
    AddToHistory(box, u"Trip");
    EXPECT_EQ(box.entries, (std::vector<std::u16string>{u"Trip", u"y", u"x"}));
    AddToHistory(box, u"trip");
    EXPECT_EQ(box.entries.front(), u"trip");
    EXPECT_EQ(box.entries.size(), 4u) << "case matters";
    EXPECT_EQ(box.text, u"trip");
    AddToHistory(box, u"");
    EXPECT_EQ(box.entries.size(), 4u);
    EXPECT_EQ(box.text, u"trip");

    VectorBox full;
    for (std::size_t i = 0; i < HistoryCapacity; ++i) full.entries.push_back(std::u16string(1, u'a') + char16_t(u'0' + i % 10) + char16_t(i));
    AddToHistory(full, u"new");
    EXPECT_EQ(full.size(), HistoryCapacity);
    EXPECT_NE(full.entries.front(), u"new");
    EXPECT_EQ(full.text, u"new");
    const std::u16string known = full.entries[5];
    AddToHistory(full, known);
    EXPECT_EQ(full.entries.front(), known) << "a known text still moves to the top";
}

}  // namespace
}  // namespace qm
