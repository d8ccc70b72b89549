// The run journal through the main window on real files: undo after closing
// and reopening, rows of an interrupted run, broken journals, an undo that
// stops, and a settings file that cannot be read.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "app/process_records.h"
#include "core/run/run_journal.h"
#include "main_window_harness.h"
#include "resource_ids.h"
#include "ui/windows/settings_unreadable_notice.h"
#include "window_driving.h"

namespace qm::testing {
namespace {

constexpr std::uint64_t Millisecond = 10'000;

void MakeFile(const std::wstring& path, const std::string& content) {
    test::PutFileContent(path, std::vector<std::uint8_t>(content.begin(), content.end()));
}

std::string Text(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void ChooseEveryChange(HWND w) {
    for (int id : {IDC_FILE_NAMES, IDC_PREFIX, IDC_PREFIX_SPACER, IDC_DATE, IDC_DATE_MODIFIED, IDC_DATE_ACCESSED,
                   IDC_ATTRIBUTES, IDC_SYSTEM})
        Check(w, id, true);
    for (int id : {IDC_SUFFIX, IDC_PREFIX_AUTO, IDC_EXTENSIONS, IDC_EXT_UPPERCASE, IDC_EXT_LOWERCASE, IDC_DATE_AUTO,
                   IDC_ARCHIVE, IDC_READ_ONLY, IDC_HIDDEN})
        Check(w, id, false);
    SetDlgItemTextW(w, IDC_PREFIX_BOX, L"Q");
    SetDlgItemTextW(w, IDC_ZEROS_EDIT, L"2");
    SetDlgItemTextW(w, IDC_OFFSET_EDIT, L"1");
}

std::wstring BoxText(HWND box) {
    wchar_t text[1024] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 1024);
    return text;
}

void Answer(HWND box, int button) {
    PostMessageW(box, WM_COMMAND, button, 0);
    for (int i = 0; i < 500 && IsWindow(box); ++i) Sleep(10);
}

bool WaitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 1000 && !done(); ++i) Sleep(20);
    return done();
}

struct FileState {
    std::wstring name;
    Times times;
    DWORD attributes;
    std::string content;
};

FileState StateOf(const std::wstring& folder, const std::wstring& name) {
    const std::wstring path = folder + L"\\" + name;
    const Times times = TimesOf(path);
    FileState state{name, times, GetFileAttributesW(path.c_str()) & 0x27, Text(test::FileContent(path))};
    SetTimes(path, times.created, times.accessed, times.written);  // reading the content moved the access time
    return state;
}

struct Files {
    test::TemporaryFolder folder;
    std::vector<std::wstring> names = {L"a.txt", L"F\u00eate \u65e5.jpg", L"c"};
    std::vector<FileState> before;

    Files() {
        std::uint64_t written = 133'000'000'000'000'000ull;
        for (const std::wstring& name : names) {
            const std::wstring path = folder.File(name);
            MakeFile(path, "content of " + std::to_string(name.size()));
            before.push_back(StateOf(folder.path(), name));
            written += 12'345 * Millisecond;
            SetTimes(path, written, written + 777 * Millisecond, written);  // after reading, which moves the access time
            before.back().times = TimesOf(path);
        }
        SetFileAttributesW(folder.File(names[0]).c_str(), FILE_ATTRIBUTE_READONLY);
        SetFileAttributesW(folder.File(names[1]).c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
        for (FileState& file : before)  // as the platform reports them
            file.attributes = GetFileAttributesW(folder.File(file.name).c_str()) & 0x27;
    }
    ~Files() {
        for (const std::wstring& name : folder.Names()) SetFileAttributesW(folder.File(name).c_str(), 0x80);
    }
    std::vector<std::wstring> Paths() const {
        std::vector<std::wstring> paths;
        for (const std::wstring& name : names) paths.push_back(folder.File(name));
        return paths;
    }
    // Every file is back: name, content, times to the millisecond, attributes.
    void ExpectAllBack() const {
        EXPECT_EQ(folder.Names().size(), names.size());
        for (const FileState& was : before) {
            ASSERT_TRUE(Exists(folder.File(was.name)));
            const FileState now = StateOf(folder.path(), was.name);
            EXPECT_EQ(now.content, was.content);
            EXPECT_EQ(now.times.written, was.times.written);
            EXPECT_EQ(now.times.accessed, was.times.accessed);
            EXPECT_EQ(now.attributes, was.attributes);
        }
    }
};

std::vector<std::wstring> RowTexts(HWND list, int row) {
    std::vector<std::wstring> texts;
    for (int column = 0; column < 11; ++column) texts.push_back(ListText(list, row, column));
    return texts;
}

// Undo before closing leaves nothing to ask about; "Clear" keeps the journal;
// after closing and reopening, "^" on the empty list asks, and Yes brings the
// rows back and undoes them.
TEST(RunJournalWindow, LastRunIsUndoneAfterClosingAndReopening) {
    Files files;
    test::TemporaryFolder settings;
    const std::wstring journal = settings.File(L"lastrun.txt");
    std::vector<std::vector<std::wstring>> ran;
    {
        MainWindowHarness harness(settings.File(L"settings.ini"));
        HWND w = harness.window();
        ASSERT_NE(w, nullptr);
        SendMessageW(w, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(files.Paths())), 0);
        ChooseEveryChange(w);
        Command(w, IDC_START);
        EXPECT_TRUE(Exists(journal));
        Command(w, IDC_UNDO);
        EXPECT_FALSE(Exists(journal)) << "every row is back";
        files.ExpectAllBack();

        Command(w, IDC_START);
        for (int row = 0; row < 3; ++row) ran.push_back(RowTexts(harness.control(IDC_FILE_LIST), row));
        ASSERT_EQ(ran[1][0], L"Q_02.jpg");
        Command(w, IDC_CLEAR);
        EXPECT_EQ(RowCount(harness.control(IDC_FILE_LIST)), 0);
        EXPECT_TRUE(Exists(journal)) << "\"Clear\" does not touch the journal";
        ASSERT_TRUE(harness.close());
    }
    const std::string written = Text(test::FileContent(journal));
    ASSERT_TRUE(written.starts_with("Quillmoth run journal 4\r\nended\x1F")) << "no mark once the run has ended";

    MainWindowHarness harness(settings.File(L"settings.ini"));
    HWND w = harness.window();
    ASSERT_NE(w, nullptr);
    HWND list = harness.control(IDC_FILE_LIST);
    EXPECT_EQ(RowCount(list), 0) << "old rows never come back by themselves";
    EXPECT_EQ(ItemText(w, IDC_STATUS_COUNT), L" Files: 0");

    // No: nothing changes.
    PostMessageW(w, WM_COMMAND, IDC_UNDO, 0);
    HWND box = WaitForDialog(L"Undo", 10000);
    ASSERT_NE(box, nullptr) << "\"^\" on an empty list asks";
    SYSTEMTIME now{};
    GetLocalTime(&now);
    wchar_t today[16];
    swprintf(today, 16, L"%02u.%02u.%04u", now.wMonth, now.wDay, now.wYear);  // in the list's order
    const std::wstring question = BoxText(box);
    EXPECT_EQ(question.substr(0, question.find(L" renamed on ")),
              L"Undo the last run? 3 files in " + files.folder.path() + L",");
    EXPECT_NE(question.find(std::wstring(L", renamed on ") + today + L" at "), std::wstring::npos) << question.c_str();
    EXPECT_EQ(question.back(), L'.');
    Answer(box, IDNO);
    EXPECT_EQ(RowCount(list), 0);
    EXPECT_TRUE(Exists(files.folder.File(L"Q_02.jpg")));
    EXPECT_EQ(Text(test::FileContent(journal)), written);

    // Yes: the rows come back and are undone.
    PostMessageW(w, WM_COMMAND, IDC_UNDO, 0);
    box = WaitForDialog(L"Undo", 10000);
    ASSERT_NE(box, nullptr) << "asked again after No";
    Answer(box, IDYES);
    ASSERT_TRUE(WaitFor([&] { return ItemText(w, IDC_STATUS_COUNT) == L" Files: 3"; }));
    for (int row = 0; row < 3; ++row) {
        const std::vector<std::wstring> texts = RowTexts(list, row);
        EXPECT_EQ(texts[4], ran[row][4]);
        for (int column = 6; column <= 10; ++column) EXPECT_EQ(texts[column], ran[row][column]) << column;
        EXPECT_EQ(texts[0], files.names[row]);
        for (int column = 1; column <= 3; ++column) EXPECT_EQ(texts[column], texts[column + 6]);
        EXPECT_EQ(texts[5], texts[10]);
    }
    files.ExpectAllBack();
    EXPECT_FALSE(Exists(journal)) << "every row is back: nothing left to undo";
    Command(w, IDC_CLEAR);
    PostMessageW(w, WM_COMMAND, IDC_UNDO, 0);
    EXPECT_EQ(WaitForDialog(L"Undo", 1500), nullptr) << "nothing left to ask about";
    EXPECT_EQ(RowCount(list), 0);
    ASSERT_TRUE(harness.close());
}

// A journal whose run never ended, as a crash leaves it: the first row's file
// had been moved (only the case of its name changed), the second's had not.
TEST(RunJournalWindow, RowsOfAnInterruptedRunComeBackAtOnce) {
    Files files;
    test::TemporaryFolder settings;
    {
        MainWindowHarness harness(settings.File(L"settings.ini"));
        SendMessageW(harness.window(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(files.Paths())), 0);
        ASSERT_TRUE(harness.close());  // a drop alone writes no journal
    }
    EXPECT_FALSE(Exists(settings.File(L"lastrun.txt")));
    {
        MainWindowHarness harness(settings.File(L"settings.ini"));
        HWND w = harness.window();
        SendMessageW(w, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(files.Paths())), 0);
        ChooseEveryChange(w);
        Check(w, IDC_FILE_NAMES, false);
        Check(w, IDC_EXTENSIONS, true);
        Check(w, IDC_EXT_UPPERCASE, true);
        Command(w, IDC_START);
        ASSERT_EQ(ListText(harness.control(IDC_FILE_LIST), 0, 0), L"a.TXT");
        ASSERT_TRUE(harness.close());
    }
    // Back to the moment between the first and the second move.
    const std::string ended = Text(test::FileContent(settings.File(L"lastrun.txt")));
    JournalReading journal = ReadRunJournal({reinterpret_cast<const std::uint8_t*>(ended.data()), ended.size()}, 0);
    ASSERT_EQ(journal.problem, JournalProblem::None);
    // (Through another name: Wine does not change the case of a name in place.)
    const auto rename = [&](const std::wstring& from, const std::wstring& to) {
        MoveFileW(files.folder.File(from).c_str(), files.folder.File(L"moving").c_str());
        MoveFileW(files.folder.File(L"moving").c_str(), files.folder.File(to).c_str());
    };
    rename(L"a.txt", L"a.TXT");
    rename(L"F\u00eate \u65e5.jpg", L"F\u00eate \u65e5.jpg");
    ASSERT_EQ(files.folder.Names(), (std::vector<std::wstring>{L"F\u00eate \u65e5.jpg", L"a.TXT", L"c"}));
    journal.rows[0].name = u"a.txt";
    journal.rows[1].name = u"F\u00eate \u65e5.jpg";
    const std::vector<std::u16string> planned = {u"a.TXT", u"F\u00eate \u65e5.JPG", u""};
    std::vector<JournalEntry> entries;
    for (std::size_t i = 0; i < 3; ++i) entries.push_back({&journal.rows[i], planned[i]});
    // The first row's file has moved; the second's is in hand, decided by its identity.
    MakeFile(settings.File(L"lastrun.txt"),
             FormatRunJournal({true, journal.header.startedAt}, entries) +
                 FormatJournalStep(JournalStep::Reached, 0, journal.rows[0].identity) +
                 FormatJournalStep(JournalStep::Moved, 0, journal.rows[0].identity) +
                 FormatJournalStep(JournalStep::Reached, 1, journal.rows[1].identity));

    MainWindowHarness harness(settings.File(L"settings.ini"));
    HWND w = harness.window();
    ASSERT_NE(w, nullptr);
    HWND list = harness.control(IDC_FILE_LIST);
    EXPECT_EQ(ItemText(w, IDC_STATUS_MESSAGE), L" 3 rows came back from an interrupted run; Undo, the curved arrow, takes them back");
    EXPECT_EQ(ItemText(w, IDC_STATUS_COUNT), L" Files: 3");
    ASSERT_EQ(RowCount(list), 3);
    EXPECT_EQ(ListText(list, 0, 0), L"a.TXT") << "read back from the folder's listing";
    EXPECT_EQ(ListText(list, 1, 0), files.names[1]) << "not moved yet: stays";
    EXPECT_TRUE(Text(test::FileContent(settings.File(L"lastrun.txt"))).starts_with("Quillmoth run journal 4\r\nended"));
    Command(w, IDC_UNDO);
    files.ExpectAllBack();
    std::vector<std::wstring> names = files.folder.Names();
    if (!PlatformKeepsCreationTimes())  // Wine: a move that changes only the case changes nothing
        for (std::wstring& name : names) CharLowerW(name.data());
    EXPECT_EQ(names, (std::vector<std::wstring>{PlatformKeepsCreationTimes() ? L"F\u00eate \u65e5.jpg"
                                                                                : L"f\u00eate \u65e5.jpg",
                                                 L"a.txt", L"c"}));
    EXPECT_FALSE(Exists(settings.File(L"lastrun.txt")));
}

TEST(RunJournalWindow, BrokenJournalsAreToldKeptAsideAndAddNoRow) {
    Files files;
    FileTable rows(2);
    for (FileRow& row : rows) {
        row.name = u"Q_01.txt";
        row.originalName = u"a.txt";
        row.folder = std::make_shared<const std::u16string>(u"C:\\x");
    }
    const std::vector<JournalEntry> entries = {{&rows[0], u"P"}, {&rows[1], u"P"}};
    const std::string good = FormatRunJournal({true, 1}, entries);
    std::string random(3000, '\0');
    unsigned seed = 12345;
    for (char& c : random) c = static_cast<char>((seed = seed * 1103515245 + 12345) >> 16);
    std::string fewer = good;
    fewer.erase(fewer.rfind('\x1F'), 2);
    std::string unknown = good;
    unknown[std::strlen("Quillmoth run journal ")] = '9';
    const struct {
        std::string bytes;
        const wchar_t* reason;
    } cases[] = {
        {good.substr(0, good.size() - 5), L"line 4 is cut short"},
        {unknown, L"it was written in a version of the journal this program does not know"},
        {fewer, L"line 4 has too few fields"},
        {random, L"it is not a Quillmoth run journal"},
    };
    for (const auto& c : cases) {
        test::TemporaryFolder settings;
        MakeFile(settings.File(L"lastrun.txt"), c.bytes);
        MainWindowHarness harness(settings.File(L"settings.ini"));
        HWND w = harness.window();
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(ItemText(w, IDC_STATUS_MESSAGE), std::wstring(L" The journal of the last run could not be read (") +
                                                      c.reason + L"); it is kept as lastrun-unreadable.txt and nothing was undone");
        EXPECT_EQ(RowCount(harness.control(IDC_FILE_LIST)), 0);
        EXPECT_FALSE(Exists(settings.File(L"lastrun.txt")));
        EXPECT_EQ(Text(test::FileContent(settings.File(L"lastrun-unreadable.txt"))), c.bytes) << "kept, not deleted";
        PostMessageW(w, WM_COMMAND, IDC_UNDO, 0);
        EXPECT_EQ(WaitForDialog(L"Undo", 300), nullptr);
        ASSERT_TRUE(harness.close());
    }
}

// A file held open by another program is skipped; the undo carries on with
// the others and says which file it skipped; undo again retries it.
TEST(RunJournalWindow, UndoSkipsAHeldFileSaysWhichAndRetriesIt) {
    Files files;
    MainWindowHarness harness;
    HWND w = harness.window();
    ASSERT_NE(w, nullptr);
    SendMessageW(w, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(files.Paths())), 0);
    ChooseEveryChange(w);
    Command(w, IDC_START);
    HANDLE held = CreateFileW(files.folder.File(L"Q_02.jpg").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Command(w, IDC_UNDO);
    EXPECT_EQ(ItemText(w, IDC_STATUS_MESSAGE), L" Undo skipped 1 file(s) it could not open or move, the first " +
                                                   files.folder.File(L"Q_02.jpg") + L"; Undo again retries");
    EXPECT_EQ(files.folder.Names(), (std::vector<std::wstring>{L"Q_02.jpg", L"a.txt", L"c"})) << "the others are back";
    CloseHandle(held);
    Command(w, IDC_UNDO);
    EXPECT_EQ(ItemText(w, IDC_STATUS_MESSAGE).find(L"Undo skipped"), std::wstring::npos);
    files.ExpectAllBack();
}

// A settings file held by another program is neither read as empty and then
// written over, nor refused to a reader when the other program lets others read and write.
TEST(RunJournalWindow, SettingsFileThatCannotBeReadIsNeverWrittenOver) {
    test::TemporaryFolder settings;
    const std::wstring path = settings.File(L"settings.ini");
    const std::wstring text = L"\uFEFF[SETTINGS]\r\nZeros=7\r\n\r\n[PREFIX]\r\nKept\r\n\r\n";
    const auto* units = reinterpret_cast<const std::uint8_t*>(text.data());
    const std::vector<std::uint8_t> bytes(units, units + text.size() * sizeof(wchar_t));
    test::PutFileContent(path, bytes);

    {  // Written by another program that shares it: still read.
        HANDLE writer = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(writer, INVALID_HANDLE_VALUE);
        ResetRecordsToDefaults();
        MainWindowHarness harness(path);
        EXPECT_EQ(ItemText(harness.window(), IDC_ZEROS_EDIT), L"7");
        EXPECT_EQ(WaitForDialog(SettingsUnreadableCaption, 300), nullptr);
        CloseHandle(writer);
        ASSERT_TRUE(harness.close());
    }
    test::PutFileContent(path, bytes);
    HANDLE holder = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    ResetRecordsToDefaults();
    MainWindowHarness harness(path);
    HWND box = WaitForDialog(SettingsUnreadableCaption, 10000);
    ASSERT_NE(box, nullptr) << "the user is told";
    EXPECT_EQ(BoxText(box), SettingsUnreadableText);
    Answer(box, IDOK);
    HWND w = FindWindowW(L"#32770", L"Quillmoth");
    ASSERT_NE(w, nullptr);
    EXPECT_NE(ItemText(w, IDC_ZEROS_EDIT), L"7") << "runs on defaults";
    CloseHandle(holder);  // free again before the window closes: still not written
    PostMessageW(w, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return harness.ended(); }));
    EXPECT_EQ(test::FileContent(path), bytes);
    EXPECT_EQ(WaitForDialog(SettingsUnreadableCaption, 100), nullptr) << "told once";

    // Random bytes, in neither UTF-16 nor UTF-8: told the same, never written over.
    std::vector<std::uint8_t> random(4000);
    for (std::uint32_t i = 0, x = 24; i < random.size(); ++i) random[i] = (x = x * 1664525 + 1013904223) >> 24;
    test::PutFileContent(path, random);
    MainWindowHarness again(path);
    ASSERT_NE(box = WaitForDialog(SettingsUnreadableCaption, 10000), nullptr);
    Answer(box, IDOK);
    ASSERT_TRUE(again.close());
    EXPECT_EQ(test::FileContent(path), random);
}

}  // namespace
}  // namespace qm::testing
