// The one name function with "Keep Name", "No Number" and "Find and replace":
// a table of options and old names, the bounds on a regular expression, and
// the run that refuses when a name cannot be made.
#include <gtest/gtest.h>

#include <functional>

#include "core/naming/new_name.h"
#include "core/naming/status_preview.h"
#include "core/run/run_prediction.h"
#include "file_table_fixture.h"

namespace qm::test {
namespace {

std::string Utf8(std::u16string_view text) {
    std::string out;
    for (char16_t unit : text) {
        if (unit < 0x80) out.push_back(static_cast<char>(unit));
        else out += "\\u" + std::to_string(unit);
    }
    return out;
}

// "File Names" and "Keep Name", spacer "_", three digits from 1.
RenameOptions KeepOptions() {
    RenameOptions o;
    o.fileNames = true;
    o.keepName = true;
    o.spacer = u"_";
    o.zerosText = u"3";
    o.offsetText = u"1";
    return o;
}

NamePiece Piece(std::u16string text, bool spacer = true) { return {true, false, false, spacer, std::move(text)}; }

FindReplace Plain(std::u16string find, std::u16string replace, bool matchCase = false) {
    return {std::move(find), std::move(replace), false, matchCase};
}
FindReplace Regex(std::u16string find, std::u16string replace, bool matchCase = false) {
    return {std::move(find), std::move(replace), true, matchCase};
}

TEST(NewName, KeepNameNoNumberAndFindReplaceTable) {
    struct Case {
        const char* what;
        std::function<void(RenameOptions&)> change;
        std::u16string oldName;
        std::u16string expected;
    } cases[] = {
        // Keep Name with and without prefix, suffix, spacers and number.
        {"kept name, then the number", [](RenameOptions&) {}, u"IMG_0001.jpg", u"IMG_0001_001.jpg"},
        {"prefix in front of the kept name", [](RenameOptions& o) { o.prefix = Piece(u"2024"); o.noNumber = true; },
         u"IMG_0001.jpg", u"2024_IMG_0001.jpg"},
        {"prefix without its spacer", [](RenameOptions& o) { o.prefix = Piece(u"2024", false); o.noNumber = true; },
         u"IMG.jpg", u"2024IMG.jpg"},
        {"suffix after the kept name and before the number", [](RenameOptions& o) { o.suffix = Piece(u"x"); },
         u"a.txt", u"a_x_001.txt"},
        {"nothing follows the suffix: its spacer is left out", [](RenameOptions& o) { o.suffix = Piece(u"x"); o.noNumber = true; },
         u"a.txt", u"a_x.txt"},
        {"every piece, spacer -", [](RenameOptions& o) { o.prefix = Piece(u"P"); o.suffix = Piece(u"S"); o.spacer = u"-"; },
         u"a.txt", u"P-a-S-001.txt"},
        {"kept name alone", [](RenameOptions& o) { o.noNumber = true; }, u"a b.txt", u"a b.txt"},
        {"empty base name takes no spacer", [](RenameOptions&) {}, u".bashrc", u"001.bashrc"},
        {"case boxes act on the prefix, not the kept name",
         [](RenameOptions& o) { o.prefix = Piece(u"p"); o.prefix.uppercase = true; o.noNumber = true; }, u"name.TXT", u"P_name.TXT"},
        {"only the last dot ends the base", [](RenameOptions& o) { o.noNumber = true; o.prefix = Piece(u"x"); },
         u"a.b.tar.gz", u"x_a.b.tar.gz"},
        // No Number without Keep Name: every file gets the same name.
        {"no number, prefix alone", [](RenameOptions& o) { o.keepName = false; o.noNumber = true; o.prefix = Piece(u"Trip"); },
         u"a.jpg", u"Trip.jpg"},
        {"find and replace needs Keep Name",
         [](RenameOptions& o) { o.keepName = false; o.prefix = Piece(u"T"); o.findReplace = Plain(u"T", u"X"); }, u"T.jpg", u"T_001.jpg"},
        // Plain find and replace.
        {"plain text, every occurrence", [](RenameOptions& o) { o.noNumber = true; o.findReplace = Plain(u"IMG", u"Holiday"); },
         u"IMG_IMG.JPG", u"Holiday_Holiday.JPG"},
        {"plain text ignores ASCII case", [](RenameOptions& o) { o.noNumber = true; o.findReplace = Plain(u"IMG", u"Holiday"); },
         u"img_0001.jpg", u"Holiday_0001.jpg"},
        {"plain text with Match Case", [](RenameOptions& o) { o.noNumber = true; o.findReplace = Plain(u"IMG", u"Holiday", true); },
         u"img_IMG.jpg", u"img_Holiday.jpg"},
        {"plain text removes", [](RenameOptions& o) { o.noNumber = true; o.findReplace = Plain(u" (copy)", u""); },
         u"report (Copy) (copy).doc", u"report.doc"},
        {"plain text left to right, no overlaps", [](RenameOptions& o) { o.noNumber = true; o.findReplace = Plain(u"aa", u"b"); },
         u"aaaaa.x", u"bba.x"},
        {"plain regex characters are plain", [](RenameOptions& o) { o.noNumber = true; o.findReplace = Plain(u".*", u"!"); },
         u"a.*b.c", u"a!b.c"},
        {"plain text never reaches the extension", [](RenameOptions& o) { o.noNumber = true; o.findReplace = Plain(u"jpg", u"x"); },
         u"jpg.jpg", u"x.jpg"},
        {"empty find changes nothing", [](RenameOptions& o) { o.noNumber = true; o.findReplace = Plain(u"", u"x"); }, u"ab.c", u"ab.c"},
        {"non-ASCII letters compare by code", [](RenameOptions& o) { o.noNumber = true; o.findReplace = Plain(u"\u00e4", u"ae"); },
         u"\u00c4rger_\u00e4.txt", u"\u00c4rger_ae.txt"},
        {"surrogate pairs stay whole", [](RenameOptions& o) { o.noNumber = true; o.findReplace = Plain(u"x", u"y"); },
         u"\U0001F600x\U0001F600.png", u"\U0001F600y\U0001F600.png"},
        {"replacement emptied the name: number alone", [](RenameOptions& o) { o.findReplace = Plain(u"copy", u""); },
         u"Copy.txt", u"001.txt"},
        {"forbidden characters of a replacement are removed",
         [](RenameOptions& o) { o.noNumber = true; o.findReplace = Plain(u"_", u"/:"); }, u"a_b.txt", u"ab.txt"},
        {"a leading dot left by the replacement goes", [](RenameOptions& o) { o.noNumber = true; o.findReplace = Plain(u"x", u""); },
         u"x.a.txt", u"a.txt"},
        // Regular expressions.
        {"groups", [](RenameOptions& o) { o.noNumber = true; o.findReplace = Regex(u"(\\w+)-(\\d+)", u"$2-$1"); },
         u"photo-12.jpg", u"12-photo.jpg"},
        {"group in braces and the whole match", [](RenameOptions& o) { o.noNumber = true; o.findReplace = Regex(u"(b)", u"[${1}$&]"); },
         u"abc.txt", u"a[bb]c.txt"},
        {"start anchor", [](RenameOptions& o) { o.noNumber = true; o.findReplace = Regex(u"^", u"2024_"); }, u"a.jpg", u"2024_a.jpg"},
        {"end anchor is the end of the base", [](RenameOptions& o) { o.noNumber = true; o.findReplace = Regex(u"$", u"_end"); },
         u"a.jpg", u"a_end.jpg"},
        {"empty matches between every unit", [](RenameOptions& o) { o.noNumber = true; o.findReplace = Regex(u"x*", u"-"); },
         u"ab.c", u"-a-b-.c"},
        {"regex ignores ASCII case", [](RenameOptions& o) { o.noNumber = true; o.findReplace = Regex(u"img", u"P"); }, u"IMG1.jpg", u"P1.jpg"},
        {"regex folds both ends of A-Z", [](RenameOptions& o) { o.noNumber = true; o.findReplace = Regex(u"az", u"-"); },
         u"AZ_za.txt", u"-_za.txt"},
        {"regex with Match Case", [](RenameOptions& o) { o.noNumber = true; o.findReplace = Regex(u"img", u"P", true); }, u"IMG1.jpg", u"IMG1.jpg"},
        {"regex: case of other letters is not folded",
         [](RenameOptions& o) { o.noNumber = true; o.findReplace = Regex(u"\u00e4", u"ae"); }, u"\u00c4\u00e4.txt", u"\u00c4ae.txt"},
        {"regex: a dot inside the base", [](RenameOptions& o) { o.noNumber = true; o.findReplace = Regex(u"\\.", u"_"); },
         u"a.b.txt", u"a_b.txt"},
        {"regex strips a copy mark and its number", [](RenameOptions& o) { o.findReplace = Regex(u" \\(\\d+\\)$", u""); o.suffix = Piece(u"v"); },
         u"scan (12).pdf", u"scan_v_001.pdf"},
    };
    for (const Case& c : cases) {
        RenameOptions options = KeepOptions();
        c.change(options);
        const NamePlan plan = PlanNames(options);
        NameProblem problem = NameProblem::None;
        EXPECT_EQ(Utf8(NewName(plan, c.oldName, plan.firstNumber, &problem)), Utf8(c.expected)) << c.what;
        EXPECT_EQ(problem, NameProblem::None) << c.what;
    }
}

TEST(NewName, NumberKeepsItsWidthAfterTheKeptName) {
    RenameOptions options = KeepOptions();
    options.zerosText = u"2";
    const NamePlan plan = PlanNames(options);
    EXPECT_EQ(NewName(plan, u"a.jpg", 7), u"a_07.jpg");
    EXPECT_EQ(NewName(plan, u"a.jpg", 123), u"a_123.jpg");
}

// Patterns that do not compile, and one that backtracks without end on a long
// name (the matcher stops within its bound on states; the test would time out
// otherwise): the name stays as without find and replace, and Start's check
// names the problem, past the short name that matches at once.
TEST(NewName, PatternThatCannotMakeANameLeavesItAndIsReported) {
    const std::u16string longBase(250, u'a');
    const std::u16string notValid = u"Find and replace: the pattern is not valid: ";
    const struct {
        const char16_t* pattern;
        NameProblem problem;
        std::u16string name, message;  // an invalid pattern's message goes on with the reason
    } cases[] = {
        {u"(a", NameProblem::InvalidPattern, u"x(aaa.txt", notValid},
        {u"[z-a]", NameProblem::InvalidPattern, u"[z-a].txt", notValid},
        {u"a{2,1}", NameProblem::InvalidPattern, u"a{2,1}.txt", notValid},
        {u"*x", NameProblem::InvalidPattern, u"*x.txt", notValid},
        {u"\\", NameProblem::InvalidPattern, u"a\\.txt", notValid},
        {u"(a+)+b", NameProblem::TooComplex, longBase + u".txt",
         u"Find and replace: the pattern is too complex to match the name \"" + longBase + u"\""},
    };
    for (const auto& c : cases) {
        RenameOptions options = KeepOptions();
        options.findReplace = Regex(c.pattern, u"b");
        const NamePlan plan = PlanNames(options);
        EXPECT_EQ(plan.problem(), c.problem == NameProblem::InvalidPattern ? c.problem : NameProblem::None) << Utf8(c.pattern);
        NameProblem problem = NameProblem::None;
        EXPECT_EQ(NewName(plan, c.name, 1, &problem), NewName(PlanNames(KeepOptions()), c.name, 1)) << Utf8(c.pattern);
        EXPECT_EQ(problem, c.problem == NameProblem::TooComplex ? c.problem : NameProblem::None);
        const NameCheck check = CheckNames(plan, {u"ab.txt", c.name});
        EXPECT_EQ(check.problem, c.problem);
        EXPECT_EQ(check.message.substr(0, c.message.size()), c.message) << Utf8(check.message);
        EXPECT_EQ(check.message.size() > c.message.size(), c.problem == NameProblem::InvalidPattern) << "the reason";
    }
}

// Each ends as "too complex" within one name's budget, and every later name
// then at once, naming the first: a preview of many rows costs one budget.
TEST(NewName, PathologicalPatternsEndAsTooComplex) {
    const std::u16string as(200, u'a');
    std::u16string optionals;  // "(a?)" fifty times, "a" fifty times, "c": as find_pattern_wine_bench
    for (int i = 0; i < 50; ++i) optionals += u"(a?)";
    for (const auto& [pattern, longName] : std::vector<std::pair<std::u16string, std::u16string>>{
             {optionals + std::u16string(50, u'a') + u"c", as}, {u"(a+)+b", as}, {u"(a|aa)+b", as}, {u"(a|a?)+b", as},
             {u"(a*)*b", as}, {u"(.*a){20}b", as}, {u"^(\\w+\\s?)*$", as + u"!"}, {u"(a+)+\\1b", as},
             {u"(?=(a+)+b)x", as}, {u"(?:a|[a-z]|\\w)+\\d", as}}) {
        RenameOptions options = KeepOptions();
        options.findReplace = Regex(pattern, u"x");
        const NamePlan plan = PlanNames(options);
        for (const std::u16string& name : {longName, std::u16string(u"b")}) {
            NameProblem problem = NameProblem::None;
            std::u16string detail;
            EXPECT_EQ(NewBaseName(plan, name, 1, {}, &problem, &detail), name + u"_001") << Utf8(pattern);
            EXPECT_TRUE(problem == NameProblem::TooComplex && detail == longName) << Utf8(pattern);
        }
    }
}

// The budget is one name's, spent across all its searches: each match here
// costs the same bounded work (its look-ahead tries the next 22 units in
// every way, and falls back on matching empty), which forty matches in one
// name spend well within the budget; a name of 250 such matches adds them up
// past it, though no single search comes near.
TEST(NewName, TheBudgetCoversEverySearchOfOneName) {
    std::u16string pattern = u"a(?=";
    for (int i = 0; i < 11; ++i) pattern += u"(?:a?)";
    pattern += std::u16string(11, u'a') + u"b|)";
    RenameOptions options = KeepOptions();
    options.findReplace = Regex(pattern, u"c");
    const NamePlan plan = PlanNames(options);
    NameProblem problem = NameProblem::None;
    EXPECT_EQ(NewBaseName(plan, std::u16string(40, u'a'), 1, {}, &problem, nullptr), std::u16string(40, u'c') + u"_001");
    EXPECT_EQ(problem, NameProblem::None) << "forty searches are within the budget";

    const std::u16string many(250, u'a');
    std::u16string detail;
    EXPECT_EQ(NewBaseName(plan, many, 1, {}, &problem, &detail), many + u"_001");
    EXPECT_EQ(problem, NameProblem::TooComplex) << "250 of them are not";
    EXPECT_EQ(detail, many);
}

TEST(NewName, RunRefusesAndTouchesNothingWhenANameCannotBeMade) {
    struct Case {
        FindReplace find;
        NameProblem problem;
    } cases[] = {
        {Regex(u"(a+)+b", u"x"), NameProblem::TooComplex},
        {Regex(u"(x", u"x"), NameProblem::InvalidPattern},
    };
    for (const Case& c : cases) {
        FileTableFixture f;
        f.Add({u"b.txt", u"c.txt"});
        const std::u16string longName = std::u16string(250, u'a') + u".txt";
        f.files.AddFile(JoinPath(Folder, longName), f.times, 0x21, u"long");
        AppendFileRow(f.table, f.folder, longName, f.files);
        RenameOptions options = KeepOptions();
        options.findReplace = c.find;
        options.setAttributes = options.setDates = options.setModified = true;
        options.fileTime = 1;
        NameCheck refused;
        EXPECT_EQ(RunRename(f.table, {0, 1, 2}, options, f.files, 0, nullptr, nullptr, &refused), -1);
        EXPECT_EQ(refused.problem, c.problem);
        EXPECT_FALSE(refused.message.empty());
        EXPECT_EQ(f.Names(), (std::vector<std::u16string>{u"b.txt", u"c.txt", longName}));
        EXPECT_EQ(f.Entry(u"b.txt").times.written, f.times.written) << "no time written";
        EXPECT_EQ(f.Entry(longName).attributes, 0x21u) << "no attribute changed";
    }
}

// Names no file may have (empty, nothing before the extension, a device): the preview
// marks them, the run refuses them before trying (the in-memory files would not).
TEST(NewName, PreviewAndRunRefuseNamesNoFileMayHave) {
    const std::vector<std::u16string> refused = {u"x_draft", u"_draft.JPG", u"x_draft.docx", u"con_draft",
        u"CON_draft.txt", u"Nul_draft.tar.gz", u"aux_draft.", u"prn_draft .txt", u"com1_draft", u"LPT9_draft.log",
        u"com\u00B9_draft"}, allowed = {u"com0_draft", u"lpt10_draft", u"console_draft", u"nul2_draft.txt", u"a.b_draft.txt"};
    FileTableFixture f;
    for (const std::u16string& name : refused) f.Add({name});
    for (const std::u16string& name : allowed) f.Add({name});
    RenameOptions options = KeepOptions();
    options.noNumber = true;
    options.findReplace = Regex(u"(^x)?_draft", u"");  // a leading "x" goes too, leaving nothing or a bare extension
    const std::vector<std::size_t> rows = TakingPartRows(f.table.size(), {});
    const std::vector<PredictedRow> predicted = PredictRun(f.table, rows, PlanNames(options), ReadFolderListings(f.table, rows, f.files));
    std::vector<RunRowOutcome> outcomes;
    RunRename(f.table, rows, options, f.files, 0, nullptr, &outcomes);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const bool ok = i >= refused.size();
        EXPECT_EQ(predicted[i].outcome, ok ? RunRowOutcome::Done : RunRowOutcome::MoveRefused) << Utf8(predicted[i].newName);
        EXPECT_EQ(outcomes[i], predicted[i].outcome) << Utf8(predicted[i].newName);
        EXPECT_TRUE((f.table[i].name != f.table[i].originalName) == ok && f.OnDisk(f.table[i].name)) << Utf8(f.table[i].name);
    }
}

TEST(StatusPreview, KeepNameShowsTheFirstRowsNameOrTheProblem) {
    PreviewOptions p;
    p.rename = KeepOptions();
    p.rename.prefix = Piece(u"typed");
    p.prefixAuto = true;
    p.stamp = u"Jan05";
    p.firstName = u"IMG_7.jpg";
    EXPECT_EQ(ComposePreview(p), u" Jan05_IMG_7_001");
    p.rename.findReplace = Regex(u"IMG_(\\d)", u"P$1");
    EXPECT_EQ(ComposePreview(p), u" Jan05_P7_001");
    p.rename.noNumber = true;
    EXPECT_EQ(ComposePreview(p), u" Jan05_P7");
    p.rename.findReplace = Regex(u"IMG_(", u"");
    p.rename.extensions = true;
    const std::u16string text = ComposePreview(p);
    EXPECT_EQ(text.rfind(u" " + CheckNames(PlanNames(p.rename), {}).message + u"   (", 0), 0u)
        << "the message of Start, reason included: " << Utf8(text);
    EXPECT_NE(text.find(u"   (Extension: rename)"), std::u16string::npos) << "the notes stay";
    p.firstName = std::u16string(250, u'a');
    p.rename.findReplace = Regex(u"(a+)+b", u"");
    EXPECT_EQ(ComposePreview(p).rfind(u" Find and replace: the pattern is too complex", 0), 0u);
}

}  // namespace
}  // namespace qm::test
