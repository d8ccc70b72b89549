#include "core/rows/file_table.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/rows/list_editing.h"

namespace qm {
namespace {

// Each row's name in display order, "+" after a selected one.
template <class Rows>
std::u16string Shown(const Rows& rows, const std::vector<bool>& selected) {
    std::u16string out;
    for (std::size_t i = 0; i < rows.size(); ++i) out += rows[i].name + (selected[i] ? u"+ " : u" ");
    return out;
}

// The table, which reorders places and leaves its rows where they were
// added, shows after every edit what a plain vector of rows edited the same
// way shows: adding, appending a table, removing a selection or all, moving
// a row with wrap-around, sorting by any permutation and by orders that name
// rows twice or leave some out. After each edit one row's name changes
// through its place: only that row may change, so no two places share a row.
TEST(FileTable, EditsMatchTheSameEditsOnAPlainVector) {
    std::mt19937 random(11);
    FileTable table;
    std::vector<FileRow> plain;
    std::vector<bool> tableSelected, plainSelected;
    int made = 0;
    const auto newRow = [&] {
        FileRow row;
        row.name = u"row with a name on the heap " + std::u16string(1, static_cast<char16_t>(u'A' + made++ % 50));
        return row;
    };
    for (int step = 0; step < 3000; ++step) {
        const std::size_t n = plain.size();
        switch (random() % 6) {
        case 0:
            for (int k = random() % 4; k >= 0; --k) {
                const FileRow row = newRow();
                table.push_back(row);
                plain.push_back(row);
                tableSelected.push_back(false), plainSelected.push_back(false);
            }
            break;
        case 1: {
            FileTable more;
            for (int k = random() % 3; k >= 0; --k) {
                more.push_back(newRow());
                plain.push_back(more.back());
                plainSelected.push_back(false);
            }
            table.Append(std::move(more));
            tableSelected.resize(table.size(), false);
            break;
        }
        case 2:  // a few rows, or every row where none is selected
            for (std::size_t i = 0; i < n; ++i) plainSelected[i] = random() % 7 == 0;
            tableSelected = plainSelected;
            RemoveRows(table, tableSelected);
            RemoveRows(plain, plainSelected);
            break;
        case 3: {
            const long index = static_cast<long>(random() % (n + 2)) - 1;
            const int direction = random() % 2 ? 1 : -1;
            ASSERT_EQ(MoveRow(table, index, direction), MoveRow(plain, index, direction));
            break;
        }
        default: {
            std::vector<std::size_t> order(n);
            for (std::size_t i = 0; i < n; ++i) order[i] = i;
            std::shuffle(order.begin(), order.end(), random);
            if (n > 0 && random() % 4 == 0) order[random() % n] = order[random() % n];  // one twice, one left out
            if (n > 0 && random() % 4 == 0) order.pop_back();
            for (std::size_t i = 0; i < n; ++i) plainSelected[i] = tableSelected[i] = random() % 3 == 0;
            ApplyOrder(table, tableSelected, order);
            ApplyOrder(plain, plainSelected, order);
        }
        }
        ASSERT_EQ(table.size(), plain.size());
        if (!plain.empty()) {
            const std::size_t changed = random() % plain.size();
            table[changed].name += u"!";
            plain[changed].name += u"!";
        }
        ASSERT_EQ(Shown(table, tableSelected), Shown(plain, plainSelected)) << "step " << step;
    }
}

}  // namespace
}  // namespace qm
