// "Step", "Per Folder" and "Folder": the numbers and names that the name
// function gives and the prediction foresees (that the run gives what the
// prediction foresees, the prediction's random test shows).
#include "core/naming/running_number.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/rows/add_files.h"
#include "core/rows/memory_file_system.h"
#include "core/run/run_prediction.h"

namespace qm {
namespace {

std::string Utf8(std::u16string_view text) { return std::string(text.begin(), text.end()); }

TEST(RunningNumbers, CountByTheStepPerFolderWithTheFolderNameInTheNameFunctionAndThePrediction) {
    const struct {
        const char* what;
        bool perFolder;
        std::vector<std::u16string> names;  // the rows' new names, in list order
    } cases[] = {
        // Rome's second row finds its name taken and keeps its folder's count; Alps counts on.
        {"per folder", true, {u"alps_01.jpg", u"rome_01.jpg", u"alps_11.jpg", u"d_01.png", u"", u"alps_21.jpg"}},
        // One count: the taken name holds the number back for the next row.
        {"one count", false, {u"alps_01.jpg", u"rome_11.jpg", u"alps_21.jpg", u"d_31.png", u"", u"alps_41.jpg"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryFileSystem files;
        const FolderText alps = std::make_shared<const std::u16string>(u"D:\\Trips\\Alps");
        // Added apart from the others: the same folder in another text of its own.
        const FolderText alpsAgain = std::make_shared<const std::u16string>(u"D:\\TRIPS\\ALPS");
        const FolderText rome = std::make_shared<const std::u16string>(u"D:\\Trips\\Rome");
        const FolderText root = std::make_shared<const std::u16string>(u"D:");
        const struct { FolderText folder; std::u16string name; } rows[] = {
            {alps, u"IMG_0001.jpg"}, {rome, u"IMG_0002.jpg"}, {alps, u"IMG_0003.jpg"},
            {root, u"scan.png"},     {rome, u"IMG_0004.jpg"}, {alpsAgain, u"IMG_0005.jpg"}};
        FileTable table;
        for (const auto& row : rows) {
            files.AddFile(JoinPath(*row.folder, row.name), {}, 0x20);
            ASSERT_TRUE(AppendFileRow(table, row.folder, row.name, files));
        }
        // Outside the list: it holds the name that Rome's second row asks for in either count.
        files.AddFile(c.perFolder ? u"D:\\Trips\\Rome\\rome_11.jpg" : u"D:\\Trips\\Rome\\rome_41.jpg", {}, 0x20);

        RenameOptions options;
        options.fileNames = true;
        options.prefix = {true, false, true, true, u"typed text, not used"};
        options.prefix.folderName = true;
        options.spacer = u"_";
        options.zerosText = u"2";
        options.offsetText = u"1";
        options.stepText = u"10";
        options.perFolder = c.perFolder;
        const NamePlan plan = PlanNames(options);
        EXPECT_EQ(NewNameOfRow(plan, table[0], table[0].name, 7, 0), u"alps_07.jpg") << "the name function";

        const std::vector<std::size_t> all = TakingPartRows(table.size(), {});
        const std::vector<PredictedRow> predicted = PredictRun(table, all, plan, ReadFolderListings(table, all, files));
        ASSERT_EQ(predicted.size(), c.names.size());
        for (std::size_t i = 0; i < c.names.size(); ++i) {
            const bool taken = c.names[i].empty();
            EXPECT_EQ(predicted[i].outcome, taken ? RunRowOutcome::NameTaken : RunRowOutcome::Done) << "row " << i;
            if (!taken) {
                EXPECT_EQ(Utf8(predicted[i].newName), Utf8(c.names[i])) << "row " << i;
            }
        }
    }

    // The folder as a suffix after typed text, upper-cased as any suffix; the
    // preview's numbers with the step when no row fails.
    RenameOptions options;
    options.fileNames = true;
    options.prefix = {true, false, false, true, u"Trip"};
    options.suffix = {true, true, false, false, u""};
    options.suffix.folderName = true;
    options.spacer = u"-";
    options.offsetText = u"5";
    options.stepText = u"0";  // no step at all counts as one
    FileTable table(3);
    table[0].folder = table[2].folder = std::make_shared<const std::u16string>(u"C:\\Photos\\Alps");
    table[1].folder = std::make_shared<const std::u16string>(u"\\\\server\\Share\\");
    const NamePlan plan = PlanNames(options);
    EXPECT_EQ(NewNameOfRow(plan, table[1], u"x.tif", 5, 0), u"Trip-SHARE5.tif");
    EXPECT_EQ(NumbersIfNoneFails(table, {2, 1, 0}, plan), (std::vector<std::uint32_t>{5, 6, 7}));
    options.perFolder = true;
    EXPECT_EQ(NumbersIfNoneFails(table, {2, 1, 0}, PlanNames(options)), (std::vector<std::uint32_t>{5, 5, 6}));
}

}  // namespace
}  // namespace qm
