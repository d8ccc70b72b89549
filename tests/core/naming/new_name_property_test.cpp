// Random options with "Keep Name", "No Number" and "Find and replace" over
// random rows: every row the run renames carries exactly the name that the
// name function gives for its number, names that coincide fail as taken, and
// undo gives every name back.
#include <gtest/gtest.h>

#include <random>

#include "core/naming/new_name.h"
#include "file_table_fixture.h"

namespace qm::test {
namespace {

TEST(NewNameProperty, RunGivesTheNameFunctionsNamesAndUndoTakesThemBack) {
    std::mt19937 random(1717);
    auto pick = [&](auto& items) -> auto& { return items[random() % std::size(items)]; };
    const std::u16string bases[] = {u"IMG_0001", u"img_0002", u"IMG (copy)", u"x", u"photo-12", u"\u00c4rger", u"a.b", u""};
    const std::u16string extensions[] = {u".jpg", u".JPG", u".png", u""};
    const FindReplace finds[] = {
        {}, {u"img", u"Holiday"}, {u"IMG", u"", false, true}, {u" (copy)", u""}, {u"(\\w+)-(\\d+)", u"$2_$1", true},
        {u"^", u"2024_", true}, {u"[0-9]+", u"#", true}, {u"x*", u"-", true}, {u"_", u":"},
    };
    const std::u16string texts[] = {u"", u"Trip", u"2024", u"a:b"};

    std::size_t keptAndReplaced = 0, taken = 0;
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        FileTableFixture f;
        const std::size_t rowCount = 1 + random() % 8;
        for (std::size_t i = 0; i < rowCount; ++i) {
            const std::u16string name = pick(bases) + pick(extensions);
            const std::u16string unique = name.empty() || f.OnDisk(name) ? std::u16string(u"r") + char16_t(u'a' + i) + name : name;
            f.Add({unique});
        }
        if (random() % 3 == 0) f.files.AddFile(JoinPath(Folder, u"Trip.jpg"));  // a name taken outside the list

        RenameOptions o;
        o.fileNames = random() % 5 != 0;
        o.extensions = random() % 2 == 0;
        o.extensionMap = {{true, u"JPG", u"jpeg"}};
        o.keepName = random() % 4 != 0;
        o.noNumber = random() % 2 == 0;
        o.findReplace = pick(finds);
        o.findReplace.matchCase = o.findReplace.matchCase || random() % 4 == 0;
        o.prefix = {random() % 2 == 0, random() % 5 == 0, false, random() % 2 == 0, pick(texts)};
        o.suffix = {random() % 3 == 0, false, random() % 5 == 0, random() % 2 == 0, pick(texts)};
        o.spacer = random() % 2 ? u"_" : u" ";
        o.zerosText = u"2";
        o.offsetText = u"1";
        std::vector<std::size_t> selected;
        if (random() % 3 == 0)
            for (std::size_t i = 0; i < rowCount; ++i)
                if (random() % 2) selected.push_back(i);
        const std::vector<std::size_t> rows = TakingPartRows(rowCount, selected);
        const std::vector<std::u16string> before = f.Names();

        std::vector<RunRowOutcome> outcomes;
        const int failures = RunRename(f.table, rows, o, f.files, 0, nullptr, &outcomes);
        const NamePlan plan = PlanNames(o);
        std::uint32_t number = plan.firstNumber;
        int counted = 0;
        for (std::size_t k = 0; k < rows.size(); ++k) {
            const std::size_t row = rows[k];
            const std::u16string expected = NewName(plan, before[row], number);
            switch (outcomes[k]) {
            case RunRowOutcome::Done:
                EXPECT_EQ(f.table[row].name, expected);
                EXPECT_TRUE(f.OnDisk(expected));
                if (o.fileNames && o.keepName && !o.findReplace.find.empty() && expected != before[row]) ++keptAndReplaced;
                ++number;
                break;
            case RunRowOutcome::NameTaken:
                ++counted;
                ++taken;
                EXPECT_EQ(f.table[row].name, before[row]);
                EXPECT_TRUE(f.OnDisk(expected)) << "the name it wanted is held";
                break;
            case RunRowOutcome::NotOpened:
            case RunRowOutcome::MovedThisRun:
                ++counted;
                ++number;
                break;
            default:
                ++counted;
                EXPECT_EQ(f.table[row].name, before[row]);
                break;
            }
        }
        EXPECT_EQ(failures, counted);
        f.Undo(selected);
        EXPECT_EQ(f.Names(), before);
        for (const std::u16string& name : before) EXPECT_TRUE(f.OnDisk(name));
    }
    // The rounds reach what they are meant to test.
    EXPECT_GT(keptAndReplaced, 50u);
    EXPECT_GT(taken, 20u);
}

}  // namespace
}  // namespace qm::test
