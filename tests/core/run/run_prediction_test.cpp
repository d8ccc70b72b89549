#include "core/run/run_prediction.h"

#include <gtest/gtest.h>

#include <random>

#include "core/rows/memory_file_system.h"
#include "core/text/name_text.h"
#include "file_table_fixture.h"

namespace qm::test {
namespace {

std::string Narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

FileRow RowOf(const FolderText& folder, std::u16string_view name) {
    FileRow row;
    row.name = name;
    row.originalName = name;
    row.folder = folder;
    return row;
}

// Random files, rows and options; the run itself says what the prediction
// must have said.
struct RandomCase {
    std::mt19937 random;
    explicit RandomCase(unsigned seed) : random(seed) {}

    std::size_t Below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); }
    bool Chance(int percent) { return Below(100) < static_cast<std::size_t>(percent); }
    template <class T>
    const T& Pick(std::initializer_list<T> items) {
        return items.begin()[Below(items.size())];
    }

    std::u16string FileName() {
        // Names that options below also make, in both cases, so that clashes
        // and case-only differences are common.
        std::u16string base = Chance(50) ? Pick<std::u16string>({u"a", u"B", u"Trip_007", u"x.y", u"1"})
                                         : Pick<std::u16string>({u"p", u"P"}) + Pick<std::u16string>({u"", u"_", u"-"}) +
                                               Pick<std::u16string>({u"1", u"2", u"3", u"01", u"02", u"003"});
        const std::u16string ext = Pick<std::u16string>({u".jpg", u".JPG", u".jpg", u".png", u".jpeg", u"", u".txt", u".jpg"});
        if (Chance(30)) ToAsciiUpper(base);
        return base + ext;
    }

    RenameOptions Options() {
        RenameOptions options;
        options.fileNames = Chance(75);
        options.extensions = Chance(40);
        options.prefix = {Chance(80), Chance(15), Chance(15), Chance(50), Pick<std::u16string>({u"p", u"P", u"p", u"Trip", u"", u"x:"})};
        options.suffix = {Chance(20), false, Chance(20), Chance(50), Pick<std::u16string>({u"s", u"", u"3"})};
        options.spacer = Pick<std::u16string>({u"_", u"-", u""});
        options.zerosText = Pick<std::u16string>({u"", u"1", u"2", u"3"});
        options.offsetText = Pick<std::u16string>({u"0", u"1", u"2", u"3", u"7"});
        options.extensionUppercase = Chance(15);
        options.extensionLowercase = !options.extensionUppercase && Chance(15);
        const ExtensionMapping maps[] = {{true, u"jpg", u"png"}, {true, u"png", u"jpg"}, {true, u"JPEG", u"jpg"},
                                         {true, u"txt", u"jpg."}, {false, u"jpg", u"txt"}, {true, u"png", u"PNG"}};
        for (const ExtensionMapping& map : maps)
            if (Chance(30)) options.extensionMap.push_back(map);
        // "Keep Name", "No Number" (whose names coincide) and "Find and replace".
        options.keepName = Chance(40);
        options.noNumber = Chance(30);
        const FindReplace finds[] = {{u"", u""}, {u"a", u"B"}, {u"A", u"", false, true}, {u"^", u"x_", true},
                                     {u"(\\w)(\\w*)", u"$2$1", true}, {u"[0-9]", u"", true}};
        options.findReplace = finds[Pick<int>({0, 1, 2, 3, 4, 5})];
        options.stepText = Pick<std::u16string>({u"1", u"", u"2", u"10"});
        options.perFolder = Chance(40);
        options.prefix.folderName = Chance(20);
        // Names from a list, longer than any run here, which pair by the row's
        // place while the number counts by the step and per folder; "Case" last.
        options.fromList = Chance(25);
        if (options.fromList) {
            NameList list;
            for (int line = 0; line < 80; ++line)
                list.names.push_back(Pick<std::u16string>({u"a", u"B", u"Trip", u"p", u"P_1", u"x.y"}));
            options.nameList = std::make_shared<const NameList>(std::move(list));
        }
        options.nameCase = Pick<NameCase>({NameCase::AsIs, NameCase::AsIs, NameCase::Lower, NameCase::Upper,
                                           NameCase::Title, NameCase::Sentence});
        options.caseMapping = AsciiCaseMapping;
        return options;
    }
};

TEST(RunPrediction, AgreesWithTheRunOnRandomFilesRowsAndOptions) {
    int clashes = 0, tooLong = 0, moved = 0;
    for (unsigned seed = 1; seed <= 3000; ++seed) {
        RandomCase c(seed);
        MemoryFileSystem files;
        // A short folder, and one so long that some new paths pass the limit.
        const std::vector<FolderText> folders = {
            std::make_shared<const std::u16string>(u"C:\\photos"),
            std::make_shared<const std::u16string>(u"C:\\" + std::u16string(236 + c.Below(10), u'd'))};
        FileTable table;
        for (const FolderText& folder : folders) {
            // Never empty: an empty listing reads as a folder that cannot be listed.
            files.AddFile(JoinPath(*folder, u"other.txt"));
            const std::size_t count = c.Below(15);
            for (std::size_t i = 0; i < count; ++i) {
                const std::u16string name = c.FileName();
                files.AddFile(JoinPath(*folder, name));
                if (c.Chance(75)) table.push_back(RowOf(folder, name));  // the others are only in the folder
                // The same file again, perhaps spelt in another case.
                if (c.Chance(10)) {
                    std::u16string again = name;
                    if (c.Chance(50)) ToAsciiLower(again);
                    table.push_back(RowOf(folder, again));
                }
            }
            if (c.Chance(20)) files.AddFolder(JoinPath(*folder, u"p5.jpg"));  // a folder takes names too
            if (c.Chance(10)) table.push_back(RowOf(folder, u"gone.jpg"));
        }
        std::shuffle(table.begin(), table.end(), c.random);

        std::vector<std::size_t> selected;
        for (std::size_t i = 0; i < table.size(); ++i)
            if (c.Chance(25)) selected.push_back(i);
        std::vector<std::size_t> rows = TakingPartRows(table.size(), selected);
        if (!rows.empty() && c.Chance(10)) rows.push_back(rows[c.Below(rows.size())]);  // a row met twice
        const RenameOptions options = c.Options();

        std::vector<std::size_t> all = TakingPartRows(table.size(), {});
        const FolderListings listings = ReadFolderListings(table, all, files);
        const std::vector<PredictedRow> predicted = PredictRun(table, rows, PlanNames(options), listings);

        FileTable after = table;
        std::vector<RunRowOutcome> outcomes;
        const int failures = RunRename(after, rows, options, files, 0, nullptr, &outcomes);
        ASSERT_EQ(predicted.size(), rows.size());
        int predictedFailures = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const PredictedRow& p = predicted[i];
            SCOPED_TRACE("seed " + std::to_string(seed) + ", row " + std::to_string(i) + " '" +
                         Narrow(table[rows[i]].name) + "' -> '" + Narrow(p.newName) + "'");
            EXPECT_EQ(static_cast<int>(p.outcome), static_cast<int>(outcomes[i]));
            if (p.outcome != RunRowOutcome::Done) ++predictedFailures;
            const bool lastVisit = std::find(rows.begin() + i + 1, rows.end(), rows[i]) == rows.end();
            if (outcomes[i] == RunRowOutcome::Done && lastVisit) {
                EXPECT_EQ(p.newName, after[rows[i]].name);
            }
            if (p.outcome == RunRowOutcome::NameTaken) {
                EXPECT_TRUE(SameFile(p.takenBy, p.newName)) << Narrow(p.takenBy);
                ++clashes;
            }
            tooLong += p.outcome == RunRowOutcome::PathTooLong;
            moved += p.outcome == RunRowOutcome::MovedThisRun;
        }
        EXPECT_EQ(predictedFailures, failures) << "seed " << seed;
        if (HasFailure()) break;
    }
    // The random cases reach every kind of failure often.
    EXPECT_GT(clashes, 100);
    EXPECT_GT(tooLong, 100);
    EXPECT_GT(moved, 100);
}

// Thousands of rows in one folder: the tables grow well past their first size.
TEST(RunPrediction, AgreesWithTheRunOnALargeFolder) {
    std::mt19937 random(11);
    MemoryFileSystem files;
    const FolderText folder = std::make_shared<const std::u16string>(u"C:\\many");
    FileTable table;
    for (int i = 0; i < 3000; ++i) {
        // Names like the new ones, some of them in the way.
        std::u16string name = u"p_" + std::u16string(4, u'0') + u".jpg";
        for (int d = 0, n = static_cast<int>(random() % 5000); d < 4; ++d, n /= 10) name[5 - d] = u'0' + n % 10;
        if (random() % 3 == 0) ToAsciiUpper(name);
        if (files.Exists(JoinPath(*folder, name))) continue;
        files.AddFile(JoinPath(*folder, name));
        if (random() % 4 != 0) table.push_back(RowOf(folder, name));
    }
    const RenameOptions options = PrefixOptions(u"p", u"4", u"3");
    const std::vector<std::size_t> rows = TakingPartRows(table.size(), {});
    const std::vector<PredictedRow> predicted = PredictRun(table, rows, PlanNames(options), ReadFolderListings(table, rows, files));
    FileTable after = table;
    std::vector<RunRowOutcome> outcomes;
    RunRename(after, rows, options, files, 0, nullptr, &outcomes);
    int clashes = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ASSERT_EQ(static_cast<int>(predicted[i].outcome), static_cast<int>(outcomes[i])) << i;
        if (outcomes[i] == RunRowOutcome::Done) {
            ASSERT_EQ(predicted[i].newName, after[i].name) << i;
        }
        clashes += outcomes[i] == RunRowOutcome::NameTaken;
    }
    EXPECT_GT(clashes, 0);
}

TEST(RunPrediction, NameIndexFindsEverySpellingOfEveryName) {
    std::vector<std::u16string> names;
    NameIndex index;
    const auto nameOf = [&](std::uint32_t id) { return std::u16string_view(names[id]); };
    for (int i = 0; i < 20000; ++i) {
        const std::string digits = std::to_string(i);  // one text: two temporaries' iterators span nothing
        names.push_back(u"File " + std::u16string(digits.begin(), digits.end()) + u".Txt");
        index.Insert(KeyOf(names.back()), static_cast<std::uint32_t>(i));
    }
    EXPECT_EQ(index.size(), names.size());
    for (int i = 0; i < 20000; i += 7) {
        std::u16string other = names[static_cast<std::size_t>(i)];
        ToAsciiLower(other);
        other += u". .";  // the platform drops trailing dots and blanks
        EXPECT_EQ(index.Find(KeyOf(other), nameOf), static_cast<std::uint32_t>(i));
    }
    EXPECT_EQ(index.Find(KeyOf(u"file 20000.txt"), nameOf), NameIndex::None);
    EXPECT_EQ(index.Find(KeyOf(u"file 1.tx"), nameOf), NameIndex::None);
}

// The order of the run decides: a file that moves away first frees its name
// for a later row; a file outside the list always holds its own.
TEST(RunPrediction, WorkedExample) {
    FileTableFixture f;
    f.Add({u"IMG_0003.jpg", u"b.jpg", u"c.jpg", u"d.jpg"});
    f.files.AddFile(JoinPath(Folder, u"IMG_0002.jpg"));
    const RenameOptions options = PrefixOptions(u"IMG", u"4", u"1");
    const std::vector<std::size_t> rows = {0, 1, 2, 3};
    const std::vector<PredictedRow> p = PredictRun(f.table, rows, PlanNames(options), ReadFolderListings(f.table, rows, f.files));
    ASSERT_EQ(p.size(), 4u);
    EXPECT_EQ(p[0].newName, u"IMG_0001.jpg");
    EXPECT_EQ(p[0].outcome, RunRowOutcome::Done);
    EXPECT_EQ(p[1].newName, u"IMG_0002.jpg");
    EXPECT_EQ(p[1].outcome, RunRowOutcome::NameTaken);
    EXPECT_EQ(p[1].takenBy, u"IMG_0002.jpg");
    EXPECT_EQ(p[2].newName, u"IMG_0002.jpg") << "a failed move keeps the number for the next row";
    EXPECT_EQ(p[2].outcome, RunRowOutcome::NameTaken);
    EXPECT_EQ(p[3].outcome, RunRowOutcome::NameTaken);
}

TEST(RunPrediction, FolderThatCannotBeListedIsTakenToHoldItsRowsFiles) {
    MemoryFileSystem files;  // the folder does not exist: its listing is empty
    const FolderText folder = std::make_shared<const std::u16string>(u"D:\\away");
    FileTable table = {RowOf(folder, u"a.jpg"), RowOf(folder, u"Trip_007.jpg")};
    const std::vector<std::size_t> rows = {0, 1};
    const std::vector<PredictedRow> p = PredictRun(table, rows, PlanNames(TripOptions()), ReadFolderListings(table, rows, files));
    EXPECT_EQ(p[0].outcome, RunRowOutcome::Done) << "it waits for the name the second row gives up";
    EXPECT_TRUE(p[0].waits);
    EXPECT_EQ(p[0].newName, u"Trip_007.jpg");
    EXPECT_EQ(p[1].outcome, RunRowOutcome::Done);
    EXPECT_EQ(p[1].newName, u"Trip_008.jpg");
}

}  // namespace
}  // namespace qm::test
