// The file list on real files: files dropped on the window, "Start", undo, and
// a drop that cannot be added.
#include <gtest/gtest.h>

#include "app/process_records.h"
#include "main_window_harness.h"
#include "resource_ids.h"
#include "window_driving.h"

namespace qm::testing {
namespace {


void MakeFile(const std::wstring& path, const char* content) {
    test::PutFileContent(path, std::vector<std::uint8_t>(content, content + std::strlen(content)));
}

// Prefix "P" with its spacer, three digits from 1, new modification time,
// attributes "Hidden" only: every kind of change a run makes.
void ChooseEveryChange(HWND w) {
    for (int id : {IDC_FILE_NAMES, IDC_PREFIX, IDC_PREFIX_SPACER, IDC_DATE, IDC_DATE_MODIFIED, IDC_DATE_ACCESSED,
                   IDC_ATTRIBUTES, IDC_HIDDEN})
        Check(w, id, true);
    for (int id : {IDC_SUFFIX, IDC_PREFIX_AUTO, IDC_EXTENSIONS, IDC_DATE_AUTO, IDC_ARCHIVE, IDC_READ_ONLY, IDC_SYSTEM})
        Check(w, id, false);
    SetDlgItemTextW(w, IDC_PREFIX_BOX, L"P");
    SetDlgItemTextW(w, IDC_ZEROS_EDIT, L"3");
    SetDlgItemTextW(w, IDC_OFFSET_EDIT, L"1");
}

TEST(FileList, DropRunAndUndoOnRealFiles) {
    test::TemporaryFolder folder;
    const std::wstring names[] = {L"b.txt", L"a.jpg", L"c"};
    // Times with parts below a millisecond, which the list's texts do not keep.
    const std::uint64_t written = 133'000'000'001'234'567ull, accessed = 133'100'000'002'345'678ull;
    std::vector<std::wstring> paths;
    for (const std::wstring& name : names) {
        paths.push_back(folder.File(name));
        MakeFile(paths.back(), "x");
        SetTimes(paths.back(), written, accessed, written);
    }
    SetFileAttributesW(paths[0].c_str(), FILE_ATTRIBUTE_READONLY);

    Settings().SettingsFlags = 1;
    MainWindowHarness harness;
    HWND w = harness.window();
    ASSERT_NE(w, nullptr);
    HWND list = harness.control(IDC_FILE_LIST);
    SendMessageW(w, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
    ASSERT_EQ(RowCount(list), 3);
    EXPECT_EQ(ItemText(w, IDC_STATUS_COUNT), L" Files: 3");
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(ListText(list, row, 0), names[row]);
        EXPECT_EQ(ListText(list, row, 4), folder.path());
        EXPECT_EQ(ListText(list, row, 6), names[row]);
        EXPECT_EQ(ListText(list, row, 2).size(), 28u);
        EXPECT_EQ(ListText(list, row, 2), ListText(list, row, 8));
    }
    EXPECT_EQ(ListText(list, 0, 5).find(L'R'), 0u) << "read-only shows first";

    ChooseEveryChange(w);
    Command(w, IDC_START);
    EXPECT_EQ(ListText(list, 0, 0), L"P_001.txt");
    EXPECT_EQ(ListText(list, 1, 0), L"P_002.jpg");
    EXPECT_EQ(ListText(list, 2, 0), L"P_003");
    for (const wchar_t* renamed : {L"P_001.txt", L"P_002.jpg", L"P_003"}) {
        const DWORD attributes = GetFileAttributesW(folder.File(renamed).c_str());
        ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << renamed;
        EXPECT_EQ(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
                  DWORD{FILE_ATTRIBUTE_HIDDEN});
        EXPECT_NE(TimesOf(folder.File(renamed)).written, written);
    }
    EXPECT_EQ(ListText(list, 0, 5).substr(0, 1), L"H");

    Command(w, IDC_UNDO);
    for (int row = 0; row < 3; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(ListText(list, row, 0), names[row]);
        const Times now = TimesOf(paths[row]);
        EXPECT_EQ(now.written, written) << "to the 100 ns";
        EXPECT_EQ(now.accessed, accessed);
        if (PlatformKeepsCreationTimes()) {
            EXPECT_EQ(now.created, written);
        }
        for (int column = 1; column <= 3; ++column) EXPECT_EQ(ListText(list, row, column), ListText(list, row, column + 6));
        EXPECT_EQ(ListText(list, row, 5), ListText(list, row, 10));
    }
    EXPECT_EQ(GetFileAttributesW(paths[0].c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
              DWORD{FILE_ATTRIBUTE_READONLY});
    EXPECT_EQ(GetFileAttributesW(paths[1].c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(folder.Names().size(), 3u);
    SetFileAttributesW(paths[0].c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The text of the process's visible message box with this caption, which is
// then closed; empty when none appears.
std::wstring TakeMessageBox(const wchar_t* caption) {
    HWND box = WaitForDialog(caption, 10000);
    if (!box) return {};
    wchar_t text[1024] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 1024);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 200 && IsWindow(box); ++i) Sleep(10);
    return text;
}

// Adds the paths the way the case says: dropped, or typed into the open dialog.
void AddPaths(HWND w, bool byDialog, const test::TemporaryFolder& folder, const std::vector<std::wstring>& names) {
    if (!byDialog) {
        std::vector<std::wstring> paths;
        for (const std::wstring& name : names) paths.push_back(folder.File(name));
        PostMessageW(w, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
        return;
    }
    PostMessageW(w, WM_COMMAND, IDC_ADD, 0);
    HWND open = WaitForDialog(L"Select files", 10000);
    ASSERT_NE(open, nullptr);
    std::wstring typed;
    for (const std::wstring& name : names) typed += L"\"" + name + L"\" ";
    for (int nameField : {0x47C, 0x480})
        if (GetDlgItem(open, nameField)) SetDlgItemTextW(open, nameField, typed.c_str());
    PostMessageW(open, WM_COMMAND, IDOK, 0);
}

// A file that cannot be opened stops the adding there, with the one message
// and the file's path under it, whichever way the files came: the rows before
// it stay, nothing after it is added, and neither the rename after a drop nor
// the remembered folder follows.
TEST(FileList, AFileThatCannotBeOpenedStopsTheAddingWithItsPath) {
    struct Case {
        const char* name;
        bool byDialog;
        bool heldOpen;  // else a folder stands in the second place
    } cases[] = {{"drop, folder", false, false}, {"drop, file held open", false, true},
                 {"open dialog, file held open", true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TemporaryFolder folder;
        const std::vector<std::wstring> names = {L"first.txt", L"second.txt", L"third.txt", L"fourth.txt"};
        for (const std::wstring& name : names) MakeFile(folder.File(name), "1");
        std::vector<std::wstring> added = names;
        HANDLE held = INVALID_HANDLE_VALUE;
        if (c.heldOpen) {
            held = CreateFileW(folder.File(names[1]).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(held, INVALID_HANDLE_VALUE);
        } else {
            added[1] = L"sub";
            CreateDirectoryW(folder.File(L"sub").c_str(), nullptr);
        }

        ResetRecordsToDefaults();
        Settings().SettingsFlags = 1 | 0x40;  // the rename after a drop must not run
        MainWindowHarness harness;
        HWND w = harness.window();
        ASSERT_NE(w, nullptr);
        // A successful add would store the folder without the last "\\".
        const std::u16string remembered = std::u16string(folder.path().begin(), folder.path().end()) + u"\\";
        Settings().LastPath = remembered;
        Check(w, IDC_FILE_NAMES, true);
        AddPaths(w, c.byDialog, folder, added);
        EXPECT_EQ(TakeMessageBox(L"Error"), L"file handle could not be created\n" + folder.File(added[1]));
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        HWND list = harness.control(IDC_FILE_LIST);
        ASSERT_EQ(RowCount(list), 1) << "no partial row, nothing after it";
        EXPECT_EQ(ListText(list, 0, 0), L"first.txt");
        EXPECT_EQ(ItemText(w, IDC_STATUS_COUNT), L" Files: 1");
        EXPECT_EQ(folder.Names().size(), 4u + (c.heldOpen ? 0u : 1u)) << "nothing renamed";
        EXPECT_NE(GetFileAttributesW(folder.File(L"first.txt").c_str()), INVALID_FILE_ATTRIBUTES) << "not renamed";
        EXPECT_TRUE(Settings().LastPath.view() == remembered) << "the remembered folder stays";
        if (c.byDialog) {
            AddPaths(w, true, folder, {names[2], names[3]});
            for (int i = 0; i < 500 && RowCount(list) < 3; ++i) Sleep(20);
            EXPECT_EQ(RowCount(list), 3);
            EXPECT_TRUE(Settings().LastPath.view() == std::u16string(folder.path().begin(), folder.path().end()))
                << "an add that succeeds remembers its folder";
        }
    }
    Settings().SettingsFlags = 1;
}

}  // namespace
}  // namespace qm::testing

namespace qm::testing {
namespace {

std::vector<int> SelectedIndices(HWND list) {
    std::vector<int> rows;
    for (int row = 0; row < RowCount(list); ++row)
        if (SendMessageW(list, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) rows.push_back(row);
    return rows;
}

void ClickHeader(HWND w, HWND list, int column) {
    NMLISTVIEW click{};
    click.hdr = {list, static_cast<UINT_PTR>(GetDlgCtrlID(list)), static_cast<UINT>(LVN_COLUMNCLICK)};
    click.iItem = -1;
    click.iSubItem = column;
    SendMessageW(w, WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
}

// Sorting, moving and clearing rows in both lists: the selection and the
// check marks go with their rows.
TEST(FileList, SortMoveAndClearInBothLists) {
    test::TemporaryFolder folder;
    std::vector<std::wstring> paths;
    CreateDirectoryW(folder.File(L"sub").c_str(), nullptr);
    for (const wchar_t* name : {L"b.txt", L"A.txt", L"sub\\a.txt", L"c.txt", L"d.txt"}) {
        paths.push_back(folder.File(name));
        MakeFile(paths.back(), "1");
    }
    MainWindowHarness harness;
    HWND w = harness.window();
    ASSERT_NE(w, nullptr);
    HWND files = harness.control(IDC_FILE_LIST);
    SendMessageW(w, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
    const std::wstring sub = folder.File(L"sub");
    EXPECT_EQ(Column(files, 4), (std::vector<std::wstring>{folder.path(), folder.path(), sub, folder.path(), folder.path()}))
        << "each row keeps the folder it was dropped from";
    SelectRow(files, 2, true);  // a.txt
    ClickHeader(w, files, 0);
    EXPECT_EQ(Column(files, 0), (std::vector<std::wstring>{L"A.txt", L"a.txt", L"b.txt", L"c.txt", L"d.txt"}));
    EXPECT_EQ(SelectedIndices(files), std::vector<int>{1});
    // Typing a name in the list finds its row.
    LVFINDINFOW find{};
    find.flags = LVFI_STRING | LVFI_PARTIAL | LVFI_WRAP;
    find.psz = L"B";
    EXPECT_EQ(SendMessageW(files, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)), 2);
    find.psz = L"zz";
    EXPECT_EQ(SendMessageW(files, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)), -1);
    Command(w, IDC_ROW_UP);
    Command(w, IDC_ROW_UP);  // from the top to the bottom
    EXPECT_EQ(Column(files, 0), (std::vector<std::wstring>{L"A.txt", L"b.txt", L"c.txt", L"d.txt", L"a.txt"}));
    EXPECT_EQ(SelectedIndices(files), std::vector<int>{4});
    Command(w, IDC_ROW_DOWN);  // from the bottom to the top
    EXPECT_EQ(Column(files, 0).front(), L"a.txt");
    EXPECT_EQ(SelectedIndices(files), std::vector<int>{0});
    SelectRow(files, 3, true);
    Command(w, IDC_ROW_DOWN);  // two rows selected: nothing moves
    EXPECT_EQ(Column(files, 0).front(), L"a.txt");
    Command(w, IDC_CLEAR);
    EXPECT_EQ(Column(files, 0), (std::vector<std::wstring>{L"A.txt", L"b.txt", L"d.txt"}));
    EXPECT_TRUE(SelectedIndices(files).empty());
    EXPECT_EQ(ItemText(w, IDC_STATUS_COUNT), L" Files: 3");
    Command(w, IDC_CLEAR);
    EXPECT_EQ(RowCount(files), 0);

    HWND extensions = harness.control(IDC_EXT_LIST);
    AddExtensionRow(extensions, L"tif", L"tiff", true);
    AddExtensionRow(extensions, L"JPG", L"jpg", false);
    AddExtensionRow(extensions, L"png", L"PNG", true);
    ClickHeader(w, extensions, 1);  // by "To": jpg, PNG, tiff
    EXPECT_EQ(Column(extensions, 0), (std::vector<std::wstring>{L"JPG", L"png", L"tif"}));
    EXPECT_FALSE(ListView_GetCheckState(extensions, 0));
    EXPECT_TRUE(ListView_GetCheckState(extensions, 2));
    SelectRow(extensions, 0, true);
    Command(w, IDC_EXT_DOWN);
    EXPECT_EQ(Column(extensions, 0), (std::vector<std::wstring>{L"png", L"JPG", L"tif"}));
    EXPECT_TRUE(ListView_GetCheckState(extensions, 0));
    EXPECT_FALSE(ListView_GetCheckState(extensions, 1)) << "the check mark moved with its row";
    EXPECT_EQ(SelectedIndices(extensions), std::vector<int>{1});
    Command(w, IDC_EXT_DELETE);
    EXPECT_EQ(Column(extensions, 0), (std::vector<std::wstring>{L"png", L"tif"}));
    Command(w, IDC_EXT_DELETE);  // nothing selected: nothing removed
    EXPECT_EQ(RowCount(extensions), 2);
}

}  // namespace
}  // namespace qm::testing
