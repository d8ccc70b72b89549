#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/rows/file_order.h"
#include "core/rows/list_editing.h"
#include "instant_at.h"

namespace qm {
namespace {

// A date column sorted by its text orders the rows as the texts themselves
// sort, whatever the offset in force: many times alike to the millisecond or
// sub-millisecond apart, either side of noon and midnight, rows without a
// time, and in some tables five-digit years, whose texts order otherwise.
TEST(FileOrder, DateColumnsByTheirTextOrderAsTheirTexts) {
    std::mt19937_64 random(17);
    const LocalOffset offsets[] = {0, kTicksPerHour, -(3 * 60 + 30) * 600'000'000LL, 13 * kTicksPerHour};
    const std::uint64_t around = At(2024, 12, 31, 11, 59, 59, 990);
    for (int round = 0; round < 40; ++round) {
        FileTable table(round % 8 == 7 ? 2000 + random() % 2000 : random() % 50);
        for (FileRow& row : table) {
            switch (random() % 6) {
            case 0: break;  // no time: the empty text
            case 1: row.created = random() % (round % 4 == 3 ? 9'000'000'000'000'000'000ull : At(9999, 12, 31, 0)); break;
            default: row.created = around + random() % 3 * 10'000 + random() % 2 + random() % 5 * 12 * kTicksPerHour;
            }
        }
        const LocalOffset offset = offsets[round % std::size(offsets)];
        std::vector<ListDateText> made;
        for (const FileRow& row : table) made.push_back(RowDateText(row.created, offset));
        std::vector<std::u16string_view> texts;
        for (const ListDateText& text : made) texts.push_back(text.view());
        ASSERT_EQ(OrderOfColumn(table, {FileColumn::Created, false, false, nullptr, offset}), SortedOrderOfTexts(texts))
            << "round " << round;
    }
}

}  // namespace
}  // namespace qm
