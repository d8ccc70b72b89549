// The main window opened from its template in this process: fonts on the
// buttons, the resize layout, keys that must not close it, and closing.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "app/process_records.h"
#include "main_window_harness.h"
#include "resource_ids.h"

namespace qm::testing {
namespace {

HFONT FontOf(HWND control) { return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)); }

RECT ChildRect(HWND window, int id) {
    RECT r{};
    GetWindowRect(GetDlgItem(window, id), &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int Horizontal(HWND window, int units) {
    RECT r{0, 0, units, 0};
    MapDialogRect(window, &r);
    return r.right;
}

int Vertical(HWND window, int units) {
    RECT r{0, 0, 0, units};
    MapDialogRect(window, &r);
    return r.bottom;
}

TEST(MainWindow, OpensCentredWithItsTemplateCaption) {
    MainWindowHarness harness;
    ASSERT_NE(harness.window(), nullptr);
    wchar_t title[64] = {};
    GetWindowTextW(harness.window(), title, 64);
    EXPECT_STREQ(title, L"Quillmoth");

    RECT window{};
    GetWindowRect(harness.window(), &window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(harness.window(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int windowWidth = window.right - window.left;
    const int windowHeight = window.bottom - window.top;
    if (windowWidth <= work.right - work.left && windowHeight <= work.bottom - work.top) {
        EXPECT_NEAR((window.left + window.right) / 2, (work.left + work.right) / 2, 2);
        EXPECT_NEAR((window.top + window.bottom) / 2, (work.top + work.bottom) / 2, 2);
    }
    EXPECT_TRUE(harness.close());
}

TEST(MainWindow, ButtonsWearTheirFonts) {
    MainWindowHarness harness;
    ASSERT_NE(harness.window(), nullptr);
    const FontSet& fonts = Fonts();
    ASSERT_NE(fonts.bigFont, nullptr);
    ASSERT_NE(fonts.smallFont, nullptr);
    for (int id : {IDC_START, IDC_CLEAR, IDC_ADD}) EXPECT_EQ(FontOf(harness.control(id)), fonts.bigFont) << id;
    EXPECT_EQ(FontOf(harness.control(IDC_CURRENT_TIME)), fonts.smallFont);

    const HFONT dialogFont = FontOf(harness.window());
    const HFONT expectedSymbolFont = fonts.symbolFont ? fonts.symbolFont : dialogFont;
    for (int id : {IDC_UNDO, IDC_ROW_UP, IDC_ROW_DOWN, IDC_HELP_BUTTON, IDC_SETTINGS_BUTTON, IDC_EXT_ADD,
                   IDC_EXT_DELETE, IDC_EXT_UP, IDC_EXT_DOWN})
        EXPECT_EQ(FontOf(harness.control(id)), expectedSymbolFont) << id;
    // Everything else keeps the dialog font.
    EXPECT_EQ(FontOf(harness.control(IDC_FILE_NAMES)), dialogFont);
    EXPECT_EQ(FontOf(harness.control(IDC_PRESET_1)), dialogFont);
}

TEST(MainWindow, ResizingMovesTheListsAndTheStatusRowOnly) {
    MainWindowHarness harness;
    HWND window = harness.window();
    ASSERT_NE(window, nullptr);
    const RECT startBefore = ChildRect(window, IDC_START);

    for (SIZE size : {SIZE{1200, 800}, SIZE{900, 640}}) {
        SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        RECT client{};
        GetClientRect(window, &client);
        const int w = client.right;
        const int h = client.bottom;
        SCOPED_TRACE(w);

        const RECT files = ChildRect(window, IDC_FILE_LIST);
        EXPECT_EQ(files.left, 0);
        EXPECT_EQ(files.top, Vertical(window, 102));
        EXPECT_EQ(files.right - files.left, w - Horizontal(window, 105));
        EXPECT_EQ(files.bottom - files.top, h - Vertical(window, 102) - Vertical(window, 12));

        const RECT extensions = ChildRect(window, IDC_EXT_LIST);
        EXPECT_EQ(extensions.left, w - Horizontal(window, 100));
        EXPECT_EQ(extensions.right, w);
        EXPECT_EQ(extensions.top, Vertical(window, 102));

        const RECT count = ChildRect(window, IDC_STATUS_COUNT);
        const RECT selection = ChildRect(window, IDC_STATUS_SELECTION);
        const RECT message = ChildRect(window, IDC_STATUS_MESSAGE);
        EXPECT_EQ(count.left, 0);
        EXPECT_EQ(count.top, h - Vertical(window, 12));
        EXPECT_EQ(selection.left, Horizontal(window, 45));
        EXPECT_EQ(selection.top, h - Vertical(window, 12));
        EXPECT_EQ(message.left, Horizontal(window, 105));
        EXPECT_EQ(message.right, w);
        EXPECT_EQ(message.bottom, h);
    }
    const RECT startAfter = ChildRect(window, IDC_START);
    EXPECT_EQ(startAfter.left, startBefore.left);
    EXPECT_EQ(startAfter.top, startBefore.top);
}

// The window has a smallest size (main_window_reach_test.cpp); minimised, its
// client area is smaller than the fixed parts, and the lists become empty.
TEST(MainWindow, AMinimisedWindowGivesEmptyListsNotNegativeOnes) {
    MainWindowHarness harness;
    HWND window = harness.window();
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_MINIMIZE);
    for (int id : {IDC_FILE_LIST, IDC_EXT_LIST, IDC_STATUS_MESSAGE}) {
        const RECT r = ChildRect(window, id);
        EXPECT_GE(r.right - r.left, 0) << id;
        EXPECT_GE(r.bottom - r.top, 0) << id;
    }
    ShowWindow(window, SW_RESTORE);
}

TEST(MainWindow, EnterAndEscapeDoNotCloseItButWmCloseDoes) {
    MainWindowHarness harness;
    HWND window = harness.window();
    ASSERT_NE(window, nullptr);
    SendMessageW(window, WM_COMMAND, IDOK, 0);
    SendMessageW(window, WM_COMMAND, IDCANCEL, 0);
    SendMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    Sleep(100);
    EXPECT_FALSE(harness.ended());
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(harness.close());
    EXPECT_FALSE(IsWindow(window));
}

TEST(MainWindow, ListsGetTheirColumnsAndStyles) {
    MainWindowHarness harness;
    HWND window = harness.window();
    ASSERT_NE(window, nullptr);
    HWND files = harness.control(IDC_FILE_LIST);
    HWND header = reinterpret_cast<HWND>(SendMessageW(files, LVM_GETHEADER, 0, 0));
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 13) << "the eleven, \"New Name\" and \"Taken\"";
    const auto& widths = Settings().FileListCols;
    for (int column = 0; column < 11; ++column)
        EXPECT_EQ(SendMessageW(files, LVM_GETCOLUMNWIDTH, column, 0), widths[column]) << column;
    EXPECT_EQ(SendMessageW(files, LVM_GETCOLUMNWIDTH, 11, 0), static_cast<LRESULT>(Settings().NewNameWidth));
    EXPECT_EQ(SendMessageW(files, LVM_GETCOLUMNWIDTH, 12, 0), static_cast<LRESULT>(Settings().TakenWidth));
    EXPECT_EQ(SendMessageW(files, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & 0x25, 0x21);

    HWND extensions = harness.control(IDC_EXT_LIST);
    HWND extHeader = reinterpret_cast<HWND>(SendMessageW(extensions, LVM_GETHEADER, 0, 0));
    EXPECT_EQ(SendMessageW(extHeader, HDM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(extensions, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & 0x25, 0x25);
    EXPECT_EQ(SendMessageW(extensions, LVM_GETBKCOLOR, 0, 0), static_cast<LRESULT>(RGB(220, 255, 220)));
}

}  // namespace
}  // namespace qm::testing
