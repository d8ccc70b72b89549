// The main window as it opens on this test run's screen: at 96 dpi on 1366 x 768, and as
// ctest's screen.144dpi at 144 dpi on 1920 x 1080 and screen.small at 96 dpi on 900 x 500.
// Column widths follow the screen and are stored as at 96 dpi, the lists stay inside the
// window however small the screen, their texts fit, and the New Name heading counts its
// red names by reason.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "app/font_set.h"
#include "main_window_harness.h"
#include "resource_ids.h"
#include "window_driving.h"

namespace qm::testing {
namespace {

constexpr int NewName = 11;
constexpr int Taken = 12;
constexpr int DefaultWidths[] = {200, 170, 170, 170, 220, 60, 200, 170, 170, 170, 100, 200, 170};

RECT InWindow(HWND window, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool Inside(const RECT& a, const RECT& b) {
    return a.left >= b.left && a.top >= b.top && a.right <= b.right && a.bottom <= b.bottom;
}

// The pixels a list cell's text takes, with the margins the list draws beside it.
int CellNeeds(HWND list, const std::wstring& text) {
    return static_cast<int>(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str()))) +
           MulDiv(12, SystemDpi(), 96);
}

TEST(MainWindowScreen, ColumnsFollowTheScreenListsStayInsideAndTheHeadingCountsByReason) {
    const char* named = std::getenv("QUILLMOTH_WINE_DPI");
    const int dpi = SystemDpi();
    ASSERT_EQ(dpi, named && *named ? std::atoi(named) : 96) << "each run names its screen";
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);

    test::TemporaryFolder program;
    test::TemporaryFolder files;
    const std::wstring settings = program.File(L"settings.ini");
    // "Keep Name", "No Number", "_" found and replaced by nothing: CON_.txt
    // would become a device's name, a_.txt the name of a file outside the list,
    // and the second row of b_.txt would find its file gone.
    const std::string text = "[SETTINGS]\r\nMainControlFlags=1\r\nRenameFlags=49152\r\n\r\n[FIND]\r\n_\r\n\r\n";
    test::PutFileContent(settings, {text.begin(), text.end()});  // as UTF-8, which reads the same
    std::vector<std::wstring> paths;
    for (const wchar_t* name : {L"CON_.txt", L"a_.txt", L"b_.txt"}) {
        paths.push_back(files.File(name));
        test::PutFileContent(paths.back(), {'x'});
    }
    paths.push_back(paths.back());  // b_.txt twice
    test::PutFileContent(files.File(L"a.txt"), {'x'});

    ResetRecordsToDefaults();
    {
        MainWindowHarness harness(settings);
        HWND w = harness.window();
        ASSERT_NE(w, nullptr);
        HWND list = harness.control(IDC_FILE_LIST);

        // Whole on the screen, and the lists and the status row whole in the window;
        // on a screen too small for the options only they may be cut.
        RECT opened{}, client{};
        GetWindowRect(w, &opened);
        GetClientRect(w, &client);
        EXPECT_TRUE(Inside(opened, work)) << opened.right - opened.left << " x " << opened.bottom - opened.top;
        for (int id : {IDC_FILE_LIST, IDC_EXT_LIST, IDC_STATUS_COUNT, IDC_STATUS_SELECTION, IDC_STATUS_MESSAGE})
            EXPECT_TRUE(Inside(InWindow(w, harness.control(id)), client)) << "control " << id;

        // Every column as wide as the screen makes its default; every caption
        // and the dates of a row fit.
        SendMessageW(w, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
        ASSERT_EQ(RowCount(list), 4);
        for (int column = 0; column <= Taken; ++column) {
            const int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
            EXPECT_EQ(width, MulDiv(DefaultWidths[column], dpi, 96)) << "column " << column;
            if (column != NewName) { EXPECT_LE(CellNeeds(list, HeaderText(list, column)), width) << column; }
            if (column >= 1 && column <= 3) { EXPECT_LE(CellNeeds(list, ListText(list, 0, column)), width) << column; }
        }
        HWND extensions = harness.control(IDC_EXT_LIST);
        EXPECT_EQ(SendMessageW(extensions, LVM_GETCOLUMNWIDTH, 0, 0), MulDiv(73, dpi, 96));

        const std::wstring heading = L"New Name (1 clash, 1 not allowed, 1 not found)";
        EXPECT_TRUE(WaitUntil([&] { return HeaderText(list, NewName) == heading; }, 5000)) << HeaderText(list, NewName);

        // Widths as the user left them, kept as at 96 dpi.
        SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, MulDiv(150, dpi, 96));
        ASSERT_TRUE(harness.close());
    }
    for (int column = 0; column < 11; ++column)
        EXPECT_EQ(Settings().FileListCols[column], column == 0 ? 150 : DefaultWidths[column]) << column;
    EXPECT_EQ(Settings().NewNameWidth, 200u);
}

}  // namespace
}  // namespace qm::testing
