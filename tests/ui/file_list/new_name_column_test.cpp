// The "New Name" column on the real window and real files: its texts, its red
// names by their pixels, the tip, the count in the header, the marks a run
// leaves, and its width across a restart.
#include <gtest/gtest.h>

#include "app/process_records.h"
#include "main_window_harness.h"
#include "resource_ids.h"
#include "window_driving.h"

namespace qm::testing {
namespace {

constexpr int NewName = 11;

void MakeFile(const std::wstring& path) { test::PutFileContent(path, {'x'}); }

// Posted refreshes and the column's own follow-ups run on the window's thread.
void Settle() { Sleep(200); }

// Prefix "IMG" with its spacer, four digits from 1, nothing else.
void ChooseImageNames(HWND w) {
    for (int id : {IDC_FILE_NAMES, IDC_PREFIX, IDC_PREFIX_SPACER}) Check(w, id, true);
    for (int id : {IDC_SUFFIX, IDC_PREFIX_AUTO, IDC_EXTENSIONS, IDC_DATE, IDC_ATTRIBUTES, IDC_PREFIX_UPPERCASE,
                   IDC_PREFIX_LOWERCASE})
        Check(w, id, false);
    SetDlgItemTextW(w, IDC_PREFIX_BOX, L"IMG");
    SetDlgItemTextW(w, IDC_ZEROS_EDIT, L"4");
    SetDlgItemTextW(w, IDC_OFFSET_EDIT, L"1");
    Command(w, IDC_FILE_NAMES);  // the commands these boxes send when clicked
    Settle();
}

RECT CellInList(HWND list, int row, int column) {
    RECT cell{};
    cell.top = column;
    cell.left = LVIR_LABEL;
    SendMessageW(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell));
    return cell;
}

RECT CellOnScreen(HWND list, int row, int column) {
    RECT cell = CellInList(list, row, column);
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&cell), 2);
    return cell;
}

// Pixels of the cell's text that are clearly red.
int RedPixels(HWND list, int row) {
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const RECT cell = CellOnScreen(list, row, NewName);
    const ScreenPixels pixels(cell);
    int red = 0;
    for (int y = cell.top; y < cell.bottom; ++y)
        for (int x = cell.left; x < cell.right; ++x) {
            const COLORREF c = pixels.At(x, y);
            red += GetRValue(c) > 150 && GetGValue(c) < 90 && GetBValue(c) < 90;
        }
    return red;
}

// Rests the mouse on the row's new name; the tip's text, empty when none shows.
std::wstring TipOver(HWND list, int row) {
    const RECT cell = CellInList(list, row, NewName);
    SendMessageW(list, WM_MOUSEHOVER, 0, MAKELPARAM(cell.left + 10, (cell.top + cell.bottom) / 2));
    for (const TipOfControl& tip : TipsOfThread(GetWindowThreadProcessId(list, nullptr)))
        if (tip.control == list) return tip.text;
    return L"(no tip)";
}

void TypeInto(HWND combo, wchar_t unit) {
    HWND edit = GetWindow(combo, GW_CHILD);
    const LRESULT length = SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0);
    SendMessageW(edit, EM_SETSEL, length, length);
    SendMessageW(edit, WM_CHAR, unit, 0);
    Settle();
}

TEST(NewNameColumn, ShowsEveryNewNameAndEveryClashBeforeStart) {
    test::TemporaryFolder folder;
    std::vector<std::wstring> paths;
    for (const wchar_t* name : {L"c.jpg", L"a.jpg", L"b.jpg"}) {
        paths.push_back(folder.File(name));
        MakeFile(paths.back());
    }
    MakeFile(folder.File(L"IMG_0002.jpg"));  // in the folder, not in the list

    ResetRecordsToDefaults();
    MainWindowHarness harness;
    HWND w = harness.window();
    ASSERT_NE(w, nullptr);
    HWND list = harness.control(IDC_FILE_LIST);
    int order[13] = {};
    SendMessageW(list, LVM_GETCOLUMNORDERARRAY, 13, reinterpret_cast<LPARAM>(order));
    EXPECT_EQ(order[0], 0);
    EXPECT_EQ(order[1], NewName) << "shown right after \"File Name\"";
    EXPECT_EQ(order[2], 1);
    EXPECT_EQ(order[5], 12) << "\"Taken\" right after \"Accessed\"";
    EXPECT_EQ(HeaderText(list, NewName), L"New Name");

    SendMessageW(w, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
    ChooseImageNames(w);
    ASSERT_EQ(RowCount(list), 3);
    EXPECT_EQ(ListText(list, 0, NewName), L"IMG_0001.jpg");
    EXPECT_EQ(ListText(list, 1, NewName), L"IMG_0002.jpg");
    EXPECT_EQ(ListText(list, 2, NewName), L"IMG_0002.jpg") << "a failed row leaves its number to the next";
    EXPECT_EQ(HeaderText(list, NewName), L"New Name (2 clash)");
    EXPECT_EQ(ItemText(w, IDC_STATUS_MESSAGE), L" IMG_0001") << "the status line keeps its own text";
    EXPECT_EQ(RedPixels(list, 0), 0);
    EXPECT_GT(RedPixels(list, 1), 5);
    EXPECT_GT(RedPixels(list, 2), 5);
    EXPECT_EQ(TipOver(list, 1), L"taken by IMG_0002.jpg");
    EXPECT_EQ(TipOver(list, 0), L"") << "a name that works has no tip";

    // Every keystroke: the names follow, the clashes go.
    TypeInto(harness.control(IDC_PREFIX_BOX), L'X');
    EXPECT_EQ(ListText(list, 1, NewName), L"IMGX_0002.jpg");
    EXPECT_EQ(HeaderText(list, NewName), L"New Name");
    EXPECT_EQ(RedPixels(list, 1), 0);
    SetDlgItemTextW(w, IDC_OFFSET_EDIT, L"7");
    Settle();
    EXPECT_EQ(ListText(list, 0, NewName), L"IMGX_0007.jpg");
    SetDlgItemTextW(w, IDC_ZEROS_EDIT, L"2");
    Settle();
    EXPECT_EQ(ListText(list, 2, NewName), L"IMGX_09.jpg");

    // Only the selected rows take part; the others show nothing.
    SelectRow(list, 2, true);
    Settle();
    EXPECT_EQ(ListText(list, 0, NewName), L"");
    EXPECT_EQ(ListText(list, 2, NewName), L"IMGX_07.jpg");
    SelectRow(list, 2, false);
    Settle();

    // A click on the column's header sorts nothing; one on "File Name" does,
    // and the new names follow the rows' new order.
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const auto clickHeader = [&](int column) {
        RECT headerItem{};
        SendMessageW(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&headerItem));
        const LPARAM at = MAKELPARAM(headerItem.left + 5, (headerItem.top + headerItem.bottom) / 2);
        SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(header, WM_LBUTTONUP, 0, at);
        Settle();
    };
    clickHeader(NewName);
    EXPECT_EQ(ListText(list, 0, 0), L"c.jpg");
    EXPECT_EQ(ListText(list, 0, NewName), L"IMGX_07.jpg");
    clickHeader(0);
    EXPECT_EQ(ListText(list, 0, 0), L"a.jpg");
    EXPECT_EQ(ListText(list, 2, 0), L"c.jpg");
    EXPECT_EQ(ListText(list, 2, NewName), L"IMGX_09.jpg");

    // Files changed outside: the folder is listed again when the window is active again.
    MakeFile(folder.File(L"IMGX_08.jpg"));
    SendMessageW(w, WM_ACTIVATE, WA_ACTIVE, 0);
    Settle();
    EXPECT_EQ(HeaderText(list, NewName), L"New Name (2 clash)");
    EXPECT_EQ(TipOver(list, 1), L"taken by IMGX_08.jpg");
}

TEST(NewNameColumn, FailedRowsOfARunKeepTheirMarkUntilTheNextChange) {
    test::TemporaryFolder folder;
    std::vector<std::wstring> paths = {folder.File(L"a.jpg"), folder.File(L"b.jpg")};
    for (const std::wstring& path : paths) MakeFile(path);
    ResetRecordsToDefaults();
    MainWindowHarness harness;
    HWND w = harness.window();
    ASSERT_NE(w, nullptr);
    HWND list = harness.control(IDC_FILE_LIST);
    SendMessageW(w, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
    ChooseImageNames(w);
    EXPECT_EQ(HeaderText(list, NewName), L"New Name") << "a file held open cannot be foreseen";

    HANDLE held = CreateFileW(paths[1].c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Command(w, IDC_START);
    Settle();
    CloseHandle(held);
    EXPECT_EQ(ListText(list, 0, 0), L"IMG_0001.jpg");
    EXPECT_EQ(ListText(list, 1, 0), L"b.jpg");
    EXPECT_EQ(TipOver(list, 1), L"held open by another program");
    EXPECT_GT(RedPixels(list, 1), 5);
    EXPECT_EQ(RedPixels(list, 0), 0);
    EXPECT_EQ(HeaderText(list, NewName), L"New Name (1 held open)");

    TypeInto(harness.control(IDC_PREFIX_BOX), L'X');
    EXPECT_EQ(TipOver(list, 1), L"") << "the mark goes with the next change of the options";
    EXPECT_EQ(RedPixels(list, 1), 0);
    EXPECT_EQ(HeaderText(list, NewName), L"New Name");

    // Undo: the first file has its old name again; the column follows.
    Command(w, IDC_UNDO);
    Settle();
    EXPECT_EQ(ListText(list, 0, 0), L"a.jpg");
    EXPECT_EQ(ListText(list, 0, NewName), L"IMGX_0001.jpg");
    EXPECT_EQ(ListText(list, 1, NewName), L"IMGX_0002.jpg");
}

TEST(NewNameColumn, WidthSurvivesARestartAndAnOlderFileGivesTheDefault) {
    test::TemporaryFolder folder;
    const std::wstring file = folder.File(L"settings.ini");
    {
        ResetRecordsToDefaults();
        MainWindowHarness harness(file);
        ASSERT_NE(harness.window(), nullptr);
        HWND list = harness.control(IDC_FILE_LIST);
        EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, NewName, 0), 200) << "no file yet";
        SendMessageW(list, LVM_SETCOLUMNWIDTH, NewName, 321);
        SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, 123);
        ASSERT_TRUE(harness.close());
    }
    {
        ResetRecordsToDefaults();
        MainWindowHarness harness(file);
        ASSERT_NE(harness.window(), nullptr);
        HWND list = harness.control(IDC_FILE_LIST);
        EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, NewName, 0), 321);
        EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), 123) << "the eleven keep their own widths";
        ASSERT_TRUE(harness.close());
    }
    // The file as it was before the column: its key taken out.
    const std::vector<std::uint8_t> bytes = test::FileContent(file);
    std::u16string text(reinterpret_cast<const char16_t*>(bytes.data()), bytes.size() / 2);
    const std::size_t key = text.find(u"NewNameWidth=321\r\n");
    ASSERT_NE(key, std::u16string::npos);
    text.erase(key, std::u16string(u"NewNameWidth=321\r\n").size());
    test::PutFileContent(file, std::vector<std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()),
                                                         reinterpret_cast<const std::uint8_t*>(text.data() + text.size())));
    ResetRecordsToDefaults();
    MainWindowHarness harness(file);
    ASSERT_NE(harness.window(), nullptr);
    EXPECT_EQ(SendMessageW(harness.control(IDC_FILE_LIST), LVM_GETCOLUMNWIDTH, NewName, 0), 200);
    EXPECT_EQ(SendMessageW(harness.control(IDC_FILE_LIST), LVM_GETCOLUMNWIDTH, 0, 0), 123);
}

}  // namespace
}  // namespace qm::testing
