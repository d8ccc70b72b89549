// The main window as it opens on this test run's screen: at 96 dpi on 1366 x 768, and as
// ctest's screen.144dpi at 144 dpi on 1920 x 1080 and screen.small at 96 dpi on 900 x 500.
// Column widths follow the screen and are stored as at 96 dpi, the lists stay inside the
// window however small the screen, texts fit where they are shown, and the New Name
// heading counts its red names by reason.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "app/font_set.h"
#include "main_window_harness.h"
#include "resource_ids.h"
#include "ui/windows/add_extensions_window.h"
#include "window_driving.h"
#include "window_thread_calls.h"

namespace qm::testing {
namespace {

constexpr int NewName = 11;
constexpr int Taken = 12;
constexpr int DefaultWidths[] = {200, 170, 170, 170, 220, 60, 200, 170, 170, 170, 100, 200, 170};

void WriteSettings(const std::wstring& path, const std::wstring& text) {
    const std::wstring whole = L"\uFEFF" + text;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(whole.data());
    test::PutFileContent(path, std::vector<std::uint8_t>(bytes, bytes + whole.size() * sizeof(wchar_t)));
}

RECT InWindow(HWND window, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool Inside(const RECT& inner, const RECT& outer) {
    RECT both{};
    return UnionRect(&both, &inner, &outer) && EqualRect(&both, &outer);
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
    WriteSettings(settings, L"[SETTINGS]\r\nMainControlFlags=1\r\nRenameFlags=49152\r\n\r\n[FIND]\r\n_\r\n\r\n");
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
        EXPECT_GT(InWindow(w, list).right - InWindow(w, list).left, client.right / 2) << "the file list keeps the room";

        // Every column as wide as the screen makes its default; the dates of a
        // row and every caption fit.
        for (int column = 0; column <= Taken; ++column)
            EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0), MulDiv(DefaultWidths[column], dpi, 96))
                << "column " << column;
        SendMessageW(w, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
        ASSERT_EQ(RowCount(list), 4);
        for (int column = 0; column <= Taken; ++column) {
            const int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
            if (column != NewName) {
                EXPECT_LE(CellNeeds(list, HeaderText(list, column)), width) << "caption " << column;
            }
            if (column >= 1 && column <= 3) {
                EXPECT_LE(CellNeeds(list, ListText(list, 0, column)), width) << "date " << column;
            }
        }
        HWND extensions = harness.control(IDC_EXT_LIST);
        EXPECT_EQ(SendMessageW(extensions, LVM_GETCOLUMNWIDTH, 0, 0), MulDiv(73, dpi, 96));

        Sleep(300);  // the column's pass follows the drop
        EXPECT_EQ(HeaderText(list, NewName), L"New Name (1 clash, 1 not allowed, 1 not found)");

        // "Stop", which the undo button reads during an undo, in the font it then has.
        HWND undo = harness.control(IDC_UNDO);
        const HFONT before = reinterpret_cast<HFONT>(SendMessageW(undo, WM_GETFONT, 0, 0));
        SendMessageW(undo, WM_SETFONT, SendMessageW(w, WM_GETFONT, 0, 0), FALSE);
        RECT face{};
        GetClientRect(undo, &face);
        EXPECT_LE(TextWidth(undo, L"Stop") + 2 * MulDiv(5, dpi, 96), face.right) << "with a margin on either side";
        SendMessageW(undo, WM_SETFONT, reinterpret_cast<WPARAM>(before), FALSE);

        // The Add Extensions window's title beside its icon and a wide close box.
        WindowThreadCalls calls(w);
        {
            OpenedWindow adding(calls, [w] { OpenAddExtensionsWindow(w); }, L"Add Extensions");
            ASSERT_NE(adding.dialog(), nullptr);
            NONCLIENTMETRICSW metrics{};
            metrics.cbSize = sizeof(metrics);
            SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
            HFONT captionFont = CreateFontIndirectW(&metrics.lfCaptionFont);
            HDC context = GetDC(adding.dialog());
            HGDIOBJ old = SelectObject(context, captionFont);
            SIZE title{};
            GetTextExtentPoint32W(context, L"Add Extensions", 14, &title);
            SelectObject(context, old);
            ReleaseDC(adding.dialog(), context);
            DeleteObject(captionFont);
            RECT frame{};
            GetWindowRect(adding.dialog(), &frame);
            EXPECT_LE(title.cx + GetSystemMetrics(SM_CXSMICON) + 3 * GetSystemMetrics(SM_CXSIZE) +
                          4 * GetSystemMetrics(SM_CXFRAME),
                      frame.right - frame.left);
        }

        // Widths as the user left them, kept as at 96 dpi.
        SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, MulDiv(150, dpi, 96));
        ASSERT_TRUE(harness.close());
    }
    EXPECT_EQ(Settings().FileListCols[0], 150);
    for (int column = 1; column < 11; ++column) EXPECT_EQ(Settings().FileListCols[column], DefaultWidths[column]);
    EXPECT_EQ(Settings().NewNameWidth, 200u);
    EXPECT_EQ(Settings().TakenWidth, 170u);
    ResetRecordsToDefaults();
    MainWindowHarness again(settings);
    ASSERT_NE(again.window(), nullptr);
    EXPECT_EQ(SendMessageW(again.control(IDC_FILE_LIST), LVM_GETCOLUMNWIDTH, 0, 0), MulDiv(150, dpi, 96));
}

}  // namespace
}  // namespace qm::testing
