#include <gtest/gtest.h>

#include <random>
#include <span>

#include "core/run/journal_rows.h"
#include "core/run/run_journal.h"
#include "core/run/run_prediction.h"
#include "file_table_fixture.h"

namespace qm::test {
namespace {

std::span<const std::uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::string Format(const FileTable& rows, const std::vector<std::u16string>& planned, JournalHeader header,
                   const std::vector<std::uint64_t>& given = {}) {
    std::vector<JournalEntry> entries;
    for (std::size_t i = 0; i < rows.size(); ++i) entries.push_back({&rows[i], planned[i], i < given.size() ? given[i] : 0});
    return FormatRunJournal(header, entries);
}

FileRow RowIn(std::u16string_view folder, std::u16string_view name, std::u16string_view original,
              std::u16string_view letters = u"RA") {
    FileRow row;
    row.name = name;
    row.folder = std::make_shared<const std::u16string>(folder);
    row.originalName = original;
    row.created = At(2020, 3, 4, 5, 6, 7, 8) + 1234;
    row.modified = At(2024, 12, 31, 23, 59, 59, 999);
    row.accessed = At(1601, 1, 1, 0);
    row.attributes = ParseAttributeLetters(letters);
    row.originallyCreated = At(2019, 1, 2, 12, 30);
    row.originallyModified = At(2019, 7, 2, 0, 30);
    row.originallyAccessed = NoTime;
    row.originalAttributes = ParseAttributeLetters(u"");
    return row;
}

// A version-4 journal as version 3 wrote it: every time of the rows as the
// list's local date text with `offset`.
std::string AsVersion3(std::string text, const FileTable& rows, LocalOffset offset) {
    text.replace(text.find("journal 4"), 9, "journal 3");
    for (const FileRow& row : rows)
        for (const std::uint64_t time : {row.created, row.modified, row.accessed, row.originallyCreated,
                                         row.originallyModified, row.originallyAccessed}) {
            if (time == NoTime) continue;
            const std::string number = "\x1F" + std::to_string(time) + "\x1F";
            std::string local = "\x1F";
            const auto shown = RowDateText(time, offset);  // kept: a view of a temporary would dangle
            for (const char16_t unit : shown.view()) local.push_back(static_cast<char>(unit));
            local += "\x1F";
            for (std::size_t at = 0; (at = text.find(number, at)) != std::string::npos; at += local.size() - 1)
                text.replace(at, number.size(), local);
        }
    return text;
}

// Every text comes back unit for unit: names beyond ASCII, a name that is
// not valid UTF-16 (Windows allows a lone surrogate), a drive's root folder;
// every identity and creation time given, and the steps appended after the
// rows, the last of them cut by a kill.
TEST(RunJournal, RoundTripKeepsEveryTextUnitForUnit) {
    FileTable rows = {
        RowIn(u"C:", u"Trip_001.jpg", u"Fête \u00e9t\u00e9 \u65e5\u672c.jpg"),
        RowIn(u"D:\\Fotos \u00fc", u"\U0001F600 smile.png", u"a\xD800z.png", u"RHSA"),
        RowIn(u"\\\\server\\share\\x", u"same.txt", u"same.txt", u""),
    };
    rows[0].identity = {FileIdentity::Kind::FileId, true, 0x00000000A1B2C3D4, 0x0123456789ABCDEFull,
                        0xFEDCBA9876543210ull, 133'000'000'000'000'001ull};
    rows[1].identity = {FileIdentity::Kind::SizeAndCreation, true, 7, 0, 1234567, 133'000'000'123'456'789ull};
    rows[2].identity = {FileIdentity::Kind::Index, true, 0xA1B2C3D4, 0, 42, 5};
    const std::vector<std::u16string> planned = {u"P_\u00e9.jpg", u"", u"b\xDC01.txt"};
    const std::vector<std::uint64_t> given = {133'000'000'000'000'002ull, 0, 1};
    for (const bool underWay : {true, false}) {
        const std::string text = Format(rows, planned, {underWay, 133'000'000'123'456'789ull}, given);
        const JournalReading read = ReadRunJournal(Bytes(text), 0);
        ASSERT_EQ(read.problem, JournalProblem::None) << JournalProblemText(read).size();
        EXPECT_EQ(read.header.underWay, underWay);
        EXPECT_EQ(read.header.startedAt, 133'000'000'123'456'789ull);
        ASSERT_EQ(read.rows.size(), rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            for (int column = 0; column < FileColumn::Count; ++column)
                EXPECT_EQ(ColumnText(read.rows[i], column, 0), ColumnText(rows[i], column, 0)) << i << " column " << column;
            EXPECT_EQ(read.plannedNames[i], planned[i]) << i;
            EXPECT_EQ(read.rows[i].identity, rows[i].identity) << i;
            EXPECT_EQ(read.createdGiven[i], given[i]) << i;
            EXPECT_EQ(read.progress[i], RowProgress::NotReached) << i;
        }
        // A person can read it: the format on the first line, one row a line.
        EXPECT_TRUE(text.starts_with("Quillmoth run journal 4\r\n"));
        EXPECT_NE(text.find("\x1F" "F:00000000A1B2C3D4:0123456789ABCDEFFEDCBA9876543210:133000000000000001\x1F"
                            "133000000000000002\r\n"),
                  std::string::npos);
        EXPECT_NE(text.find("\x1FS:00000007:1234567:133000000123456789\x1F\r\n"), std::string::npos);
        EXPECT_NE(text.find("\x1FI:A1B2C3D4:000000000000002A:5\x1F" "1\r\n"), std::string::npos);
        EXPECT_NE(text.find(underWay ? "\r\nunder way\x1F" : "\r\nended\x1F"), std::string::npos);
        EXPECT_NE(text.find("Fête été 日本.jpg"), std::string::npos) << "UTF-8, not escapes";
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 + 3);
        EXPECT_EQ(std::count(text.begin(), text.end(), '\x1F'), 2 + 3 * 13);
        // Made piece by piece, as it is written to its file, it is the same text.
        std::vector<JournalEntry> entries;
        for (std::size_t i = 0; i < rows.size(); ++i) entries.push_back({&rows[i], planned[i], given[i]});
        std::string pieces;
        std::size_t count = 0;
        EXPECT_TRUE(FormatRunJournal({underWay, 133'000'000'123'456'789ull}, entries,
                                     [&](std::string_view piece) { return pieces += piece, ++count, true; }, 100));
        EXPECT_EQ(pieces, text);
        EXPECT_GT(count, 2u);
        EXPECT_FALSE(FormatRunJournal({}, entries, [](std::string_view) { return false; }, 100));
    }

    // The steps of a run: each names its row's file as it is now; the last
    // one is cut by a kill while it was written, and does not count.
    FileIdentity now = rows[0].identity;
    now.created = 9;
    std::string text = Format(rows, planned, {true, 1}, given) + FormatJournalStep(JournalStep::Reached, 0, now) +
                       FormatJournalStep(JournalStep::Moved, 0, now) +
                       FormatJournalStep(JournalStep::Reached, 2, FileIdentity{FileIdentity::Kind::Undecided});
    EXPECT_TRUE(text.ends_with("\r\nmoved\x1F" "1\x1F" "F:00000000A1B2C3D4:0123456789ABCDEFFEDCBA9876543210:9\r\n"
                               "reached\x1F" "3\x1FU\r\n"));
    const std::string cut = FormatJournalStep(JournalStep::Kept, 1, now);
    text += cut.substr(0, cut.size() - 1);
    const JournalReading read = ReadRunJournal(Bytes(text), 0);
    ASSERT_EQ(read.problem, JournalProblem::None) << read.line;
    EXPECT_EQ(read.progress, (std::vector<RowProgress>{RowProgress::Moved, RowProgress::NotReached, RowProgress::InHand}));
    EXPECT_EQ(read.rows[0].identity, now);
    EXPECT_EQ(read.rows[1].identity, rows[1].identity);
    EXPECT_EQ(read.rows[2].identity.kind, FileIdentity::Kind::Undecided);
    for (const std::string& bad : {FormatJournalStep(JournalStep::Kept, 3, now), std::string("moved\x1F" "1\r\n"),
                                   std::string("gone\x1F" "1\x1F\r\n")})
        EXPECT_NE(ReadRunJournal(Bytes(Format(rows, planned, {true, 1}) + bad), 0).problem, JournalProblem::None);
}

// Files in a drive's root folder, whose folder text is "C:" alone: the rows
// read back from the journal undo the run as the list's own rows would.
TEST(RunJournal, RowsReadBackUndoARunInADrivesRoot) {
    MemoryFileSystem files;
    FileTable table;
    const FolderText root = std::make_shared<const std::u16string>(u"C:");
    const FileTimes times{At(2020, 1, 2, 3, 4, 5, 6), At(2021, 1, 2, 3, 4, 5, 6), At(2022, 1, 2, 3, 4, 5, 6)};
    for (const char16_t* name : {u"a.txt", u"\u00e9t\u00e9.jpg"}) {
        files.AddFile(JoinPath(u"C:", name), times, 0x23, name);
        ASSERT_TRUE(AppendFileRow(table, root, name, files));
    }
    RenameOptions options = TripOptions();
    options.setAttributes = options.setDates = options.setModified = true;
    options.fileTime = At(2025, 5, 5, 5);
    ASSERT_EQ(RunRename(table, {0, 1}, options, files, 0), 0);
    ASSERT_TRUE(files.Exists(u"C:\\Trip_008.jpg"));

    const JournalReading read = ReadRunJournal(Bytes(Format(table, {u"", u""}, {})), 0);
    ASSERT_EQ(read.problem, JournalProblem::None);
    FileTable rows = read.rows;
    EXPECT_EQ(UndoRename(rows, {0, 1}, files).notRestored, 0u);
    for (const char16_t* name : {u"a.txt", u"\u00e9t\u00e9.jpg"}) {
        const MemoryFileSystem::Entry* entry = files.Find(JoinPath(u"C:", name));
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->content, name);
        EXPECT_EQ(entry->attributes, 0x23u);
        EXPECT_EQ(entry->times.written, times.written);
    }
    EXPECT_EQ(files.Files().size(), 2u);
}

TEST(RunJournal, RandomRowsComeBackAsWritten) {
    std::mt19937 random(7);
    const auto randomText = [&](std::size_t length, bool name) {
        std::u16string text;
        while (text.size() < length) {
            const char16_t unit = static_cast<char16_t>(random() % 3 == 0 ? random() % 0x10000 : 0x20 + random() % 0x60);
            if (unit < 0x20 || (name && std::u16string_view(u"\\/:*?\"<>|").find(unit) != std::u16string_view::npos))
                continue;
            text.push_back(unit);
        }
        return text;
    };
    FileTable rows;
    std::vector<std::u16string> planned;
    for (int i = 0; i < 300; ++i) {
        rows.push_back(RowIn(u"C:\\" + randomText(random() % 40, false), u"n" + randomText(random() % 30, true),
                             u"o" + randomText(random() % 30, true)));
        planned.push_back(i % 3 ? randomText(1 + random() % 30, true) : u"");
    }
    const JournalReading read = ReadRunJournal(Bytes(Format(rows, planned, {})), 0);
    ASSERT_EQ(read.problem, JournalProblem::None) << read.line;
    ASSERT_EQ(read.rows.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_TRUE(SameTexts(read.rows[i], rows[i])) << i;
        EXPECT_EQ(read.plannedNames[i], planned[i]) << i;
    }
}

// A broken journal gives a problem with its line, and never a row.
TEST(RunJournal, BrokenJournalsInventNoRows) {
    const FileTable rows = {RowIn(u"C:\\p", u"x.jpg", u"a.jpg"), RowIn(u"C:\\p", u"y.jpg", u"b.jpg")};
    const std::string good = Format(rows, {u"P1.jpg", u"P2.jpg"}, {true, 5});
    std::size_t lastRow = 0;  // where the last row's line begins
    for (int n = 0; n < 3; ++n) lastRow = good.find('\n', lastRow) + 1;
    std::string randomBytes(4000, '\0');
    std::mt19937 random(3);
    for (char& c : randomBytes) c = static_cast<char>(random());
    const auto replaced = [&](std::string_view from, std::string_view to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const std::string modified = "\x1F" + std::to_string(rows[0].modified) + "\x1F";
    std::string version3DateTooLong = AsVersion3(good, rows, 0);
    version3DateTooLong.replace(version3DateTooLong.find(" AM"), 3, " AMAMAM");
    struct Case {
        const char* what;
        std::string text;
        JournalProblem problem;
        std::size_t line;
    } cases[] = {
        {"cut inside the last row", good.substr(0, lastRow + 50), JournalProblem::CutShort, 4},
        {"cut after the first row", good.substr(0, lastRow), JournalProblem::MissingRows, 3},
        {"cut inside the first line", good.substr(0, 10), JournalProblem::NotAJournal, 1},
        {"unknown version", replaced("journal 4", "journal 5"), JournalProblem::UnknownVersion, 1},
        {"a row with a field missing", replaced("\x1F" "P2.jpg", ""), JournalProblem::TooFewFields, 4},
        {"a row with a field more", replaced("P2.jpg", "P2.jpg\x1Fz"), JournalProblem::TooManyFields, 4},
        {"unknown mark", replaced("under way", "underway"), JournalProblem::BadHeader, 2},
        {"count not a number", replaced("\x1F" "2\r\n", "\x1Ftwo\r\n"), JournalProblem::BadHeader, 2},
        {"more rows than announced", replaced("\x1F" "2\r\n", "\x1F" "1\r\n"), JournalProblem::TooManyFields, 4},
        {"a tab inside a name", replaced("x.jpg", "x\t.jpg"), JournalProblem::BadText, 3},
        {"a broken UTF-8 sequence", replaced("b.jpg", "b\xC3.jpg"), JournalProblem::BadText, 4},
        {"a time that is not a number", replaced(modified, "\x1F" "12:00\x1F"), JournalProblem::BadText, 3},
        {"a time of no time", replaced(modified, "\x1F" "18446744073709551615\x1F"), JournalProblem::BadText, 3},
        {"a date of version 3 too long for its column", version3DateTooLong, JournalProblem::BadText, 3},
        {"random bytes", randomBytes, JournalProblem::NotAJournal, 1},
        {"empty", "", JournalProblem::NotAJournal, 1},
    };
    for (const Case& c : cases) {
        const JournalReading read = ReadRunJournal(Bytes(c.text), 0);
        EXPECT_EQ(read.problem, c.problem) << c.what;
        EXPECT_EQ(read.line, c.line) << c.what;
        EXPECT_TRUE(read.rows.empty()) << c.what;
        EXPECT_FALSE(JournalProblemText(read).empty()) << c.what;
    }
    const JournalReading cut = ReadRunJournal(Bytes(good.substr(0, lastRow + 50)), 0);
    EXPECT_EQ(JournalProblemText(cut), u"line 4 is cut short");
}

// A row that names what no run could have made is refused whole, with its
// line: undo would move files by these names. A journal of version 1 is still
// read, without identities.
TEST(RunJournal, RowsNoRunCouldHaveMadeAreRefusedWhole) {
    FileTable rows = {RowIn(u"C:\\p", u"x.jpg", u"a.jpg"), RowIn(u"C:\\p", u"y.jpg", u"b.jpg")};
    rows[1].identity = {FileIdentity::Kind::Index, true, 1, 0, 2, 3};
    const std::string good = Format(rows, {u"P1.jpg", u""}, {true, 5});
    const auto replaced = [&](std::string_view from, std::string_view to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const struct {
        const char* what;
        std::string_view from, to;
        JournalProblem problem;
        std::size_t line;
    } cases[] = {
        {"an empty name", "x.jpg", "", JournalProblem::NotAName, 3},
        {"a name of one dot", "x.jpg", ".", JournalProblem::NotAName, 3},
        {"a name of two dots", "x.jpg", "..", JournalProblem::NotAName, 3},
        {"dots and blanks the file system drops", "y.jpg", ". .", JournalProblem::NotAName, 4},
        {"a name with a separator", "x.jpg", "sub\\x.jpg", JournalProblem::NotAName, 3},
        {"an original name that leaves its folder", "a.jpg", "../a.jpg", JournalProblem::NotAName, 3},
        {"a planned name of two dots", "P1.jpg", "..", JournalProblem::NotAName, 3},
        {"a planned name with a separator", "P1.jpg", "..\\P1.jpg", JournalProblem::NotAName, 3},
        {"a relative folder", "C:\\p", "p", JournalProblem::NotAFolder, 3},
        {"an empty folder", "C:\\p", "", JournalProblem::NotAFolder, 3},
        {"a folder on no drive", "C:\\p", "\\p", JournalProblem::NotAFolder, 3},
        {"a folder relative to a drive", "C:\\p", "C:p", JournalProblem::NotAFolder, 3},
        {"a share without a server", "C:\\p", "\\\\\\p", JournalProblem::NotAFolder, 3},
        {"an identity of no known form", "I:00000001", "X:00000001", JournalProblem::BadText, 4},
        {"an index too short", "I:00000001:0000000000000002", "I:00000001:2", JournalProblem::BadText, 4},
        {"an index without its creation time", "I:00000001:0000000000000002:3", "I:00000001:0000000000000002",
         JournalProblem::BadText, 4},
    };
    for (const auto& c : cases) {
        const JournalReading read = ReadRunJournal(Bytes(replaced(c.from, c.to)), 0);
        EXPECT_EQ(read.problem, c.problem) << c.what;
        EXPECT_EQ(read.line, c.line) << c.what;
        EXPECT_TRUE(read.rows.empty()) << c.what;
    }
    EXPECT_EQ(JournalProblemText(ReadRunJournal(Bytes(replaced("C:\\p", "p")), 0)),
              u"line 3 holds a folder that is not a full path");
    // Every printable ASCII unit in a name, and two beyond ASCII with the low bits of "\" and "|".
    std::vector<std::string> units = {"\xC5\x9C", "\xEF\xBD\x9C"};
    for (char unit = ' '; unit <= '~'; ++unit) units.emplace_back(1, unit);
    for (const std::string& unit : units)
        EXPECT_EQ(ReadRunJournal(Bytes(replaced("x.jpg", "x" + unit + "x.jpg")), 0).problem,
                  unit.find_first_of("\\/:*?\"<>|") != std::string::npos ? JournalProblem::NotAName : JournalProblem::None)
            << unit;

    // Version 2: one creation time for the run at the end of the second
    // line, none per row, an index without the creation time.
    // The last field of every row line dropped.
    const auto withoutLastField = [](std::string text) {
        for (std::size_t at = text.find('\n', text.find('\n') + 1); (at = text.find('\n', at + 1)) != std::string::npos;) {
            const std::size_t field = text.rfind('\x1F', at);
            text.erase(field, at - 1 - field);
            at = text.find('\n', field);
        }
        return text;
    };
    // Version 3: the times as local texts.
    const JournalReading third = ReadRunJournal(Bytes(AsVersion3(good, rows, 0)), 0);
    ASSERT_EQ(third.problem, JournalProblem::None) << third.line;
    EXPECT_EQ(third.version, 3);
    EXPECT_EQ(third.rows[0].created, rows[0].created - 1234) << "kept to the millisecond";
    EXPECT_EQ(third.rows[0].originallyAccessed, NoTime) << "an empty date stays none";
    EXPECT_EQ(third.rows[1].modified, rows[1].modified);

    std::string version2 = withoutLastField(replaced("journal 4", "journal 2"));
    version2.replace(version2.find("\x1F" "2\r\n"), 4, "\x1F" "2\x1F" "77\r\n");
    version2.replace(version2.find(":0000000000000002:3"), 19, ":0000000000000002");
    const JournalReading second = ReadRunJournal(Bytes(version2), 0);
    ASSERT_EQ(second.problem, JournalProblem::None) << second.line;
    EXPECT_EQ(second.version, 2);
    EXPECT_EQ(second.createdGiven, (std::vector<std::uint64_t>{77, 77}));
    EXPECT_EQ(second.rows[1].identity.id, 2u);
    EXPECT_FALSE(second.rows[1].identity.creationKnown);

    std::string version1 = withoutLastField(version2);
    version1.replace(version1.find("journal 2"), 9, "journal 1");
    version1.replace(version1.find("\x1F" "77\r\n"), 5, "\r\n");
    const JournalReading old = ReadRunJournal(Bytes(version1), 0);
    ASSERT_EQ(old.problem, JournalProblem::None) << old.line;
    EXPECT_EQ(old.version, 1);
    ASSERT_EQ(old.rows.size(), 2u);
    EXPECT_EQ(old.plannedNames[0], u"P1.jpg");
    EXPECT_FALSE(old.rows[1].identity.known());
}

// Rows of a run that was cut short: each row takes the name planned for it
// only when the disk shows that the run got that far.
TEST(RunJournal, InterruptedRowsTakeTheirPlannedNamesOnlyWhereTheDiskAgrees) {
    struct Case {
        const char16_t* onDisk;  // the names in the folder, "|"-separated
        const char16_t* current;
        const char16_t* planned;
        const char16_t* expected;
    } cases[] = {
        {u"P_001.jpg", u"a.jpg", u"P_001.jpg", u"P_001.jpg"},             // moved
        {u"a.jpg", u"a.jpg", u"P_001.jpg", u"a.jpg"},                     // not yet reached
        {u"a.jpg|P_001.jpg", u"a.jpg", u"P_001.jpg", u"a.jpg"},           // its move failed: the name was taken
        {u"other.jpg", u"a.jpg", u"P_001.jpg", u"a.jpg"},                 // gone from both: left as it is
        {u"P_001.jpg", u"a.jpg", u"", u"a.jpg"},                          // no planned name
        {u"A.JPG", u"a.jpg", u"A.JPG", u"A.JPG"},                         // only the case changed, and it did
        {u"a.jpg", u"a.jpg", u"A.JPG", u"a.jpg"},                         // only the case, and it did not
        {u"p_001.JPG", u"a.jpg", u"P_001.jpg", u"P_001.jpg"},             // names compare without case
    };
    for (const Case& c : cases) {
        MemoryFileSystem files;
        files.AddFolder(Folder);
        std::u16string_view names = c.onDisk;
        while (!names.empty()) {
            const std::size_t bar = std::min(names.find(u'|'), names.size());
            files.AddFile(JoinPath(Folder, names.substr(0, bar)));
            names.remove_prefix(std::min(bar + 1, names.size()));
        }
        FileTable rows = {RowIn(Folder, c.current, u"a.jpg")};
        const std::size_t taken = ApplyPlannedNames(rows, {c.planned}, files);
        EXPECT_EQ(rows[0].name, c.expected) << "case " << (&c - cases);
        EXPECT_EQ(taken, rows[0].name != c.current ? 1u : 0u);
    }
}

// A run killed after any number of rows: the rows as the journal kept them
// before the run, given the names the run was foreseen to give, are the rows
// as the run left them. The run's number does not move on after a failed
// move, a file outside the list holds a name the run wants, and one file is
// listed twice.
TEST(RunJournal, PlannedNamesBringBackWhatARunKilledAtAnyRowHadDone) {
    for (std::size_t killedAfter = 0; killedAfter <= 6; ++killedAfter) {
        FileTableFixture f;
        f.Add({u"a.jpg", u"b.png", u"c.jpg", u"Trip_009.png", u"e.jpg"});
        f.table.push_back(f.table[3]);  // the same file twice
        f.table.MovePlace(f.table.size() - 1, 4);
        f.files.AddFile(JoinPath(Folder, u"Trip_007.jpg"), {}, 0x20, u"outsider");
        std::vector<std::size_t> rows(f.table.size());
        for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = i;
        const std::vector<PredictedRow> predicted =
            PredictRun(f.table, rows, PlanNames(TripOptions()), ReadFolderListings(f.table, rows, f.files));
        std::vector<std::u16string> planned;
        for (const PredictedRow& row : predicted)
            planned.push_back(row.outcome == RunRowOutcome::Done ? row.newName : u"");
        FileTable journal = f.table;

        RunRename(f.table, std::vector<std::size_t>(rows.begin(), rows.begin() + static_cast<long>(killedAfter)),
                  TripOptions(), f.files, 0);
        ApplyPlannedNames(journal, planned, f.files);
        if (killedAfter == rows.size()) {
            EXPECT_EQ(f.Names(), (std::vector<std::u16string>{u"a.jpg", u"Trip_007.png", u"Trip_008.jpg",
                                                              u"Trip_009.png", u"Trip_010.png", u"Trip_011.jpg"}));
        }
        for (std::size_t i = 0; i < rows.size(); ++i)
            EXPECT_EQ(journal[i].name, f.table[i].name) << "killed after " << killedAfter << ", row " << i;
    }
}

TEST(RunJournal, JournalRowsAreFoundInTheListByAllTheirTexts) {
    const FileRow a = RowIn(u"C:\\p", u"x.jpg", u"a.jpg"), b = RowIn(u"C:\\p", u"y.jpg", u"b.jpg");
    FileRow changed = a;
    changed.attributes = FileAttribute::Hidden;
    const FileTable journal = {a, b, a};
    const FileTable list = {b, changed, a, RowIn(u"C:\\q", u"x.jpg", u"a.jpg"), a};
    const std::vector<std::size_t> all = MatchJournalRows(journal, list, {0, 1, 2, 3, 4});
    EXPECT_EQ(all[1], 0u);
    EXPECT_EQ(std::min(all[0], all[2]), 2u) << "a file listed twice is matched twice; a row that changed is not";
    EXPECT_EQ(std::max(all[0], all[2]), 4u);
    EXPECT_EQ(MatchJournalRows(journal, list, {2}), (std::vector<std::size_t>{2, NoMatch, NoMatch}))
        << "only the rows that take part";
    // The same texts, another file: a file saved again and added once more.
    FileTable other = {a};
    other[0].identity = {FileIdentity::Kind::FileId, true, 1, 0, 2, 3};
    EXPECT_EQ(MatchJournalRows(journal, other, {0}), (std::vector<std::size_t>{NoMatch, NoMatch, NoMatch}));
}

}  // namespace
}  // namespace qm::test
