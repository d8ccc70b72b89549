// "Keep Name", "No Number", "Find and replace" and "Add Folder" through the
// real main window: the preview before "Start", the run and its undo on real
// files, the refusal of a pattern that cannot make a name, the enabling, the
// menu items and tips, and a folder tree with a link loop and a held file.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/process_records.h"
#include "main_window_harness.h"
#include "resource_ids.h"
#include "ui/file_commands/add_folder.h"
#include "window_driving.h"
#include "window_thread_calls.h"

namespace qm::testing {
namespace {

void MakeFile(const std::wstring& path) { ASSERT_TRUE(test::PutFileContent(path, {'x'})); }

// Types into a drop-down box as the user does: the text, then the box's
// notice, whose refresh the window posts to itself.
void TypeInto(HWND window, int boxId, const wchar_t* text) {
    SetDlgItemTextW(window, boxId, text);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(boxId, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(window, boxId)));
    SendMessageW(window, WM_NULL, 0, 0);  // the posted refresh has run once a sent message returns
    Command(window, 15000);
}

// The four naming jobs set up on the window: "2024_" in front of the kept
// name, "IMG" replaced by "Holiday", no number.
void SetUpTheJobs(HWND w) {
    for (int id : {IDC_SUFFIX, IDC_EXTENSIONS, IDC_DATE, IDC_ATTRIBUTES, IDC_PREFIX_AUTO}) Check(w, id, false);
    for (int id : {IDC_FILE_NAMES, IDC_PREFIX, IDC_PREFIX_SPACER}) Check(w, id, true);
    Command(w, IDC_FILE_NAMES);
    SetDlgItemTextW(w, IDC_PREFIX_BOX, L"2024");
    Click(w, IDC_KEEP_NAME);
    Click(w, IDC_NO_NUMBER);
    TypeInto(w, IDC_FIND_BOX, L"img");
    TypeInto(w, IDC_REPLACE_BOX, L"Holiday");
}

TEST(NameOptionsWindow, PreviewRunAndUndoOfTheNamingJobs) {
    ResetRecordsToDefaults();
    test::TemporaryFolder folder;
    const std::vector<std::wstring> names = {L"IMG_0001.jpg", L"IMG_0002.jpg", L"notes.txt"};
    for (const std::wstring& name : names) MakeFile(folder.File(name));
    MainWindowHarness harness;
    HWND w = harness.window();
    ASSERT_NE(w, nullptr);
    std::vector<std::wstring> paths;
    for (const std::wstring& name : names) paths.push_back(folder.File(name));
    SendMessageW(w, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);

    EXPECT_FALSE(IsWindowEnabled(harness.control(IDC_FIND_BOX))) << "Find and replace waits for Keep Name";
    SetUpTheJobs(w);
    EXPECT_TRUE(IsWindowEnabled(harness.control(IDC_FIND_BOX)));
    EXPECT_TRUE(IsWindowEnabled(harness.control(IDC_FIND_MATCH_CASE)));
    EXPECT_EQ(ItemText(w, IDC_STATUS_MESSAGE), L" 2024_Holiday_0001") << "the first row's new name, before Start";

    Click(w, IDC_FIND_MATCH_CASE);
    EXPECT_EQ(ItemText(w, IDC_STATUS_MESSAGE), L" 2024_IMG_0001") << "\"img\" no longer matches";
    Click(w, IDC_FIND_MATCH_CASE);

    Command(w, IDC_START);
    HWND list = harness.control(IDC_FILE_LIST);
    const std::vector<std::wstring> renamed = {L"2024_Holiday_0001.jpg", L"2024_Holiday_0002.jpg", L"2024_notes.txt"};
    EXPECT_EQ(Column(list, 0), renamed);
    EXPECT_EQ(folder.Names(), renamed);
    EXPECT_EQ(SendDlgItemMessageW(w, IDC_FIND_BOX, CB_GETCOUNT, 0, 0), 1) << "the run put the text into its history";
    EXPECT_EQ(ItemText(w, IDC_STATUS_MESSAGE), L" 3 files renamed") << "until the next change";

    Command(w, IDC_UNDO);
    EXPECT_EQ(Column(list, 0), names);
    EXPECT_EQ(folder.Names(), names);
    EXPECT_EQ(ItemText(w, IDC_STATUS_MESSAGE), L" 3 files restored") << "and after the undo";

    // "File Names" off disables the whole chain; on again, it follows "Keep Name".
    Click(w, IDC_FILE_NAMES);
    for (int id : {IDC_KEEP_NAME, IDC_NO_NUMBER, IDC_FIND_BOX, IDC_REPLACE_BOX, IDC_FIND_REGEX, IDC_FIND_LABEL})
        EXPECT_FALSE(IsWindowEnabled(harness.control(id))) << id;
    Click(w, IDC_FILE_NAMES);
    EXPECT_TRUE(IsWindowEnabled(harness.control(IDC_REPLACE_BOX)));
    Click(w, IDC_KEEP_NAME);
    EXPECT_FALSE(IsWindowEnabled(harness.control(IDC_REPLACE_BOX)));
    EXPECT_TRUE(Checked(w, IDC_NO_NUMBER)) << "the boxes keep their states";
}

// A pattern that does not compile, and one too complex for a name: the cell
// names the problem, "Start" shows it in a message box and touches no file.
TEST(NameOptionsWindow, StartRefusesAPatternThatCannotMakeAName) {
    ResetRecordsToDefaults();
    test::TemporaryFolder folder;
    const std::wstring longName = std::wstring(40, L'a') + L".txt";
    MakeFile(folder.File(L"b.txt"));
    MakeFile(folder.File(longName));
    MainWindowHarness harness;
    HWND w = harness.window();
    ASSERT_NE(w, nullptr);
    SendMessageW(w, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({folder.File(L"b.txt"), folder.File(longName)})), 0);
    SetUpTheJobs(w);
    Click(w, IDC_FIND_REGEX);
    struct Case {
        const wchar_t* pattern;
        const wchar_t* cellStart;
    } cases[] = {
        {L"(img", L" Find and replace: the pattern is not valid: "},
        {L"(a+)+b", nullptr},  // the first row matches at once; the second is too complex
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(c.pattern)));
        TypeInto(w, IDC_FIND_BOX, c.pattern);
        if (c.cellStart) {
            EXPECT_EQ(ItemText(w, IDC_STATUS_MESSAGE).rfind(c.cellStart, 0), 0u)
                << ::testing::PrintToString(ItemText(w, IDC_STATUS_MESSAGE));
        }
        EXPECT_EQ(HeaderText(harness.control(IDC_FILE_LIST), 11), c.cellStart ? L"New Name (pattern not valid)" : L"New Name (pattern too complex)");
        PostMessageW(w, WM_COMMAND, IDC_START, 0);
        HWND box = WaitForDialog(L"Error", 10000);
        ASSERT_NE(box, nullptr);
        wchar_t text[512] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 512);
        EXPECT_EQ(std::wstring(text).rfind(L"Find and replace: ", 0), 0u) << ::testing::PrintToString(std::wstring(text));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        for (int i = 0; i < 200 && IsWindow(box); ++i) Sleep(10);
        SendMessageW(w, WM_NULL, 0, 0);
        EXPECT_EQ(folder.Names(), (std::vector<std::wstring>{longName, L"b.txt"})) << "no file renamed";
        EXPECT_EQ(ItemText(w, IDC_STATUS_MESSAGE).rfind(L" Find and replace: ", 0), 0u);
    }
}

// The two labels of the "Name" group show their captions whole (the caption
// test measures every button, check box and radio).
TEST(NameOptionsWindow, LabelsOfTheNameGroupFit) {
    ResetRecordsToDefaults();
    MainWindowHarness harness;
    HWND w = harness.window();
    ASSERT_NE(w, nullptr);
    for (int id : {IDC_FIND_LABEL, IDC_REPLACE_LABEL}) {
        HWND control = harness.control(id);
        wchar_t caption[64] = {};
        GetWindowTextW(control, caption, 64);
        RECT client{};
        GetClientRect(control, &client);
        EXPECT_LE(TextWidth(control, caption), client.right) << ::testing::PrintToString(std::wstring(caption));
    }
}

// Under Wine a Unix symlink is how a link gets onto the disk: Wine 8's
// CreateSymbolicLinkW reports success and makes nothing (measured). Wine runs
// Unix programs through CreateProcess, so the test makes the link with ln.
using UnixNameFunction = char*(CDECL*)(const WCHAR*);

std::string UnixPath(const std::wstring& path) {
    auto toUnix = reinterpret_cast<UnixNameFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return {};
    char* unix = toUnix(path.c_str());
    if (!unix) return {};
    std::string result = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

bool RunUnix(const wchar_t* program, const std::string& arguments) {
    std::wstring command = std::wstring(program) + L" " + std::wstring(arguments.begin(), arguments.end());
    STARTUPINFOW start{};
    start.cb = sizeof(start);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &process)) return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// A folder link that points back up the tree; removed before the folder goes,
// so that nothing walks through it on the way out.
class FolderLink {
public:
    FolderLink(const std::wstring& link, const std::wstring& target) : link_(link) {
        const std::string unixLink = UnixPath(link);
        if (!unixLink.empty()) {
            // Wine can neither wait for a Unix program nor tell its exit code: look.
            RunUnix(L"Z:\\bin\\ln", "-s " + UnixPath(target) + " " + unixLink);
            for (int i = 0; i < 500 && !made_; ++i, Sleep(10))
                made_ = unix_ = GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES;
        } else {
            made_ = CreateSymbolicLinkW(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY | 0x2) != FALSE;
        }
    }
    ~FolderLink() {
        if (unix_) {
            RunUnix(L"Z:\\bin\\rm", UnixPath(link_));
            for (int i = 0; i < 500 && GetFileAttributesW(link_.c_str()) != INVALID_FILE_ATTRIBUTES; ++i) Sleep(10);
        }
        else if (made_) RemoveDirectoryW(link_.c_str());
    }
    bool made() const { return made_; }

private:
    std::wstring link_;
    bool made_ = false;
    bool unix_ = false;
};

TEST(AddFolderWindow, TreeOfThreeLevelsWithALinkLoopAndAHeldFile) {
    ResetRecordsToDefaults();
    test::TemporaryFolder folder;
    const std::wstring top = folder.File(L"tree");
    for (const wchar_t* dir : {L"tree", L"tree\\b-sub", L"tree\\a-sub", L"tree\\a-sub\\deep"})
        CreateDirectoryW(folder.File(dir).c_str(), nullptr);
    for (const wchar_t* file : {L"tree\\z.txt", L"tree\\M.txt", L"tree\\b-sub\\held.jpg", L"tree\\b-sub\\k.jpg",
                                L"tree\\a-sub\\y.jpg", L"tree\\a-sub\\deep\\x.jpg", L"tree\\a-sub\\deep\\W.jpg"})
        MakeFile(folder.File(file));
    FolderLink loop(folder.File(L"tree\\a-sub\\deep\\loop"), top);
    if (!loop.made()) GTEST_SKIP() << "no folder link can be made here";
    ASSERT_EQ(GetFileAttributesW(folder.File(L"tree\\a-sub\\deep\\loop").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT,
              DWORD{FILE_ATTRIBUTE_REPARSE_POINT}) << "the link shows as a reparse point";
    HANDLE held = CreateFileW(folder.File(L"tree\\b-sub\\held.jpg").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    MainWindowHarness harness;
    HWND w = harness.window();
    ASSERT_NE(w, nullptr);
    WindowThreadCalls calls(w);
    FolderWalkResult result;
    calls.post([&] { result = AddFolderToList(w, std::u16string(top.begin(), top.end()), true); });
    HWND box = WaitForDialog(L"Add Folder", 20000);
    ASSERT_NE(box, nullptr) << "one message at the end";
    wchar_t text[512] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 512);
    EXPECT_EQ(std::wstring(text), L"1 file(s) or folder(s) could not be opened and were not added:\r\n\r\n" +
                                      folder.File(L"tree\\b-sub\\held.jpg") +
                                      L"\r\n\r\n1 link(s) or junction(s) to folders were not followed.");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 500 && IsWindow(box); ++i) Sleep(10);
    ASSERT_TRUE(calls.drain());
    CloseHandle(held);

    HWND list = harness.control(IDC_FILE_LIST);
    EXPECT_EQ(Column(list, 0), (std::vector<std::wstring>{L"M.txt", L"z.txt", L"y.jpg", L"W.jpg", L"x.jpg", L"k.jpg"}))
        << "name order per folder, each folder before the ones below it";
    EXPECT_EQ(ListText(list, 2, 4), folder.File(L"tree\\a-sub"));
    EXPECT_EQ(ListText(list, 0, 6), L"M.txt") << "the original name, as the open dialog adds";
    EXPECT_EQ(result.paths.added, 6u);
    Command(w, 15000);
    EXPECT_EQ(ItemText(w, IDC_STATUS_COUNT), L" Files: 6");

    // Without subfolders: the top folder's two files again, and no message.
    calls.call([&] { result = AddFolderToList(w, std::u16string(top.begin(), top.end()), false); });
    EXPECT_EQ(RowCount(list), 8);
    EXPECT_EQ(result.paths.skipped + result.linksSkipped, 0u);
}

}  // namespace
}  // namespace qm::testing
