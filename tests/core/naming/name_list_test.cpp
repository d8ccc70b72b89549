// "From List": how a list file's lines pair with the rows that take part, and
// the lists that "Start" refuses, touching no file; the preview and the
// prediction show the same pairing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/naming/name_list.h"
#include "core/naming/new_name.h"
#include "core/naming/status_preview.h"
#include "core/run/run_prediction.h"
#include "file_table_fixture.h"

namespace qm::test {
namespace {

std::vector<std::uint8_t> Utf8Bytes(std::string_view text) { return {text.begin(), text.end()}; }

// "File Names" and "From List", the prefix "01" with its spacer, no number.
RenameOptions ListOptions(const std::vector<std::uint8_t>& bytes) {
    RenameOptions o;
    o.fileNames = o.fromList = o.noNumber = true;
    o.spacer = u"_";
    o.prefix = {true, false, false, true, u"01"};
    o.nameList = std::make_shared<const NameList>(ReadNameList(bytes, u"names.txt"));
    return o;
}

TEST(NameList, PairsLineByLineAndRefusesWhatCouldShiftThePairing) {
    const std::vector<std::u16string> files = {u"track1.mp3", u"track2.mp3", u"track3.mp3"};
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        std::vector<std::size_t> selected;
        std::vector<std::u16string> expected;  // the names after "Start"; the old ones when it refuses
        std::u16string refusal;                // empty when "Start" runs
        std::u16string note;                   // the preview's note on the list
    } cases[] = {
        // Decoded as list files are (the reader's own test has the forms); blank lines at the end go.
        {"UTF-8 with its mark, CR LF, blank lines at the end", Utf8Bytes("\xEF\xBB\xBF\xC3\x89t\xC3\xA9\r\nVerse\r\nOutro\r\n\r\n \r\n"),
         {}, {u"01_\u00C9t\u00E9.mp3", u"01_Verse.mp3", u"01_Outro.mp3"}, u"", u""},
        {"the selected rows take the first lines, in the order shown", Utf8Bytes("A\nB\n"), {1, 2},
         {u"track1.mp3", u"01_A.mp3", u"01_B.mp3"}, u"", u""},
        {"more names than rows: the rest is left over", Utf8Bytes("A\nB\nC\nD\n"), {},
         {u"01_A.mp3", u"01_B.mp3", u"01_C.mp3"}, u"", u"   (List: 1 name left over)"},
        {"fewer names than rows", Utf8Bytes("A\n"), {}, files, u"From List: 2 files have no name in names.txt",
         u"   (List: 2 files without a name)"},
        {"a blank line inside", Utf8Bytes("A\n  \nB\n"), {}, files, u"From List: line 2 of names.txt is empty", u""},
        {"a line of nothing a name may hold", Utf8Bytes("A\nB\n?*:. \n"), {}, files,
         u"From List: line 3 of names.txt holds no character a name may have", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FileTableFixture f;
        for (const std::u16string& name : files) f.Add({name});
        RenameOptions options = ListOptions(c.bytes);
        options.keepName = true;  // a file edited by hand may tick both: the list wins
        const std::vector<std::size_t> rows = TakingPartRows(f.table.size(), c.selected);
        // The preview and the prediction show what the run then does.
        PreviewOptions preview;
        preview.rename = options;
        preview.rowsTakingPart = rows.size();
        const std::u16string shown = ComposePreview(preview);
        if (options.nameList->problem != NameListProblem::None) {
            EXPECT_EQ(shown, u" " + c.refusal);
        }
        EXPECT_EQ(shown.substr(shown.size() - c.note.size()), c.note);
        std::vector<std::u16string> predicted = f.Names();
        const std::vector<PredictedRow> p = PredictRun(f.table, rows, PlanNames(options), ReadFolderListings(f.table, rows, f.files));
        for (std::size_t slot = 0; slot < rows.size() && c.refusal.empty(); ++slot) predicted[rows[slot]] = p[slot].newName;

        NameCheck refused;
        EXPECT_EQ(RunRename(f.table, rows, options, f.files, 0, nullptr, nullptr, &refused), c.refusal.empty() ? 0 : -1);
        EXPECT_EQ(refused.message, c.refusal);
        EXPECT_EQ(f.Names(), c.expected);
        EXPECT_EQ(predicted, c.expected);
        for (const std::u16string& name : c.expected) EXPECT_TRUE(f.OnDisk(name));
    }
}

// A run that writes its journal again part-way plans the rest from the list's next line.
TEST(NameList, FindReplaceAndTheNumberActOnTheListedNameAndAReplanReadsOn) {
    FileTableFixture f;
    f.Add({u"a.txt", u"b.txt", u"c.txt"});
    RenameOptions options = ListOptions(Utf8Bytes("one\ntwo\nthree\n"));
    options.prefix.used = options.noNumber = false;
    options.zerosText = u"2";
    options.findReplace = {u"o", u"0", false, false};
    NamePlan plan = PlanNames(options);
    plan.listOffset = 1;
    plan.firstNumber = 2;
    const std::vector<PredictedRow> p = PredictRun(f.table, {1, 2}, plan, ReadFolderListings(f.table, {1, 2}, f.files));
    EXPECT_EQ(p[0].newName, u"tw0_02.txt");
    EXPECT_EQ(p[1].newName, u"three_03.txt");
    options.nameList = nullptr;  // ticked, but no file chosen
    EXPECT_EQ(CheckNames(PlanNames(options), {u"a.txt"}).message, u"From List: no list of names chosen");
}

// With the count of "Step" and "Per Folder" and the folder's name as prefix:
// line k still goes to row k in the order shown, a row whose name is taken
// uses up its line but not its folder's number, and "Case" acts last, on the
// folder's name too, leaving the extension as it is.
TEST(NameList, PairsByPlaceWhileTheNumberCountsPerFolderAndCaseActsLast) {
    MemoryFileSystem files;
    FileTable table;
    const FolderText alps = std::make_shared<const std::u16string>(u"D:\\alps");
    const FolderText rome = std::make_shared<const std::u16string>(u"D:\\ROME");
    for (const FolderText& folder : {alps, rome, rome, alps}) {
        const std::u16string name = std::u16string(1, static_cast<char16_t>(u'a' + table.size())) + u".JPG";
        files.AddFile(JoinPath(*folder, name), {}, 0x20);
        ASSERT_TRUE(AppendFileRow(table, folder, name, files));
    }
    files.AddFile(u"D:\\ROME\\Rome_2nd Take_01.JPG", {}, 0x20);  // outside the list, in the way
    RenameOptions options = ListOptions(Utf8Bytes("won't STOP\n2nd take\nthe END\nintro\n"));
    options.prefix.folderName = true;
    options.noNumber = false;
    options.zerosText = u"2";
    options.offsetText = u"1";
    options.stepText = u"10";
    options.perFolder = true;
    options.nameCase = NameCase::Title;
    options.caseMapping = AsciiCaseMapping;
    EXPECT_EQ(RunRename(table, TakingPartRows(table.size(), {}), options, files, 0), 1);
    const std::u16string expected[] = {u"Alps_Won't Stop_01.JPG", u"b.JPG", u"Rome_The End_01.JPG", u"Alps_Intro_11.JPG"};
    for (std::size_t i = 0; i < table.size(); ++i) EXPECT_EQ(table[i].name, expected[i]) << i;
}

}  // namespace
}  // namespace qm::test
