#include "win32/controls/bitmap_paint.h"

#include "ui/window_driving.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <uxtheme.h>

#include <functional>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace qm::win32 {
namespace {

using testing::ScreenPixels;

constexpr int ListWidth = 700, ListHeight = 60;

// The header of a list with columns of random captions, alignments and widths, wider in all than the list.
HWND MakeHeader(HWND host, int top, std::mt19937 random) {
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, top, ListWidth,
                                ListHeight, host, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    for (int column = 0; column < 9; ++column) {
        std::wstring caption = L"Column " + std::to_wstring(column) + std::wstring(random() % 12, L'x');
        LVCOLUMNW c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        c.fmt = column % 3;  // left, right, centred
        c.cx = 40 + static_cast<int>(random() % 120);
        c.pszText = caption.data();
        SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&c));
    }
    return ListView_GetHeader(list);
}

// Two headers alike, one painting straight onto the screen and one through
// its bitmap, show the same pixels: whole, and in random parts of them, the
// rest daubed over first so that a part painted at the wrong place shows;
// then with a sort arrow on an item.
TEST(BitmapPaint, AHeaderShowsWhatItWouldHavePaintedDirectly) {
    InitCommonControls();
    HWND host = CreateWindowExW(WS_EX_TOOLWINDOW, WC_STATICW, L"", WS_POPUP | WS_VISIBLE, 0, 0, ListWidth,
                                2 * ListHeight, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    std::mt19937 random(20261210);
    HWND headers[2] = {MakeHeader(host, 0, random), MakeHeader(host, ListHeight, random)};
    ASSERT_TRUE(headers[0] && headers[1]);
    EXPECT_NE(GetWindowTheme(headers[1]), nullptr) << "the themed paint is the one that matters";
    PaintHeaderThroughBitmap(headers[1]);

    RECT client{};
    GetClientRect(headers[0], &client);
    for (int round = 0; round <= 13; ++round) {
        SCOPED_TRACE(round);
        const int left = static_cast<int>(random() % client.right), top = static_cast<int>(random() % client.bottom);
        const RECT part = round == 0 || round == 13 ? client
                                     : RECT{left, top, left + 1 + static_cast<int>(random() % (client.right - left)),
                                            top + 1 + static_cast<int>(random() % (client.bottom - top))};
        for (HWND header : headers) {
            if (round == 13) {
                HDITEMW format{};
                format.mask = HDI_FORMAT;
                EXPECT_TRUE(Header_GetItem(header, 1, &format));
                format.fmt |= HDF_SORTDOWN;
                Header_SetItem(header, 1, &format);
            }
            HDC dc = GetDC(header);
            FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            ReleaseDC(header, dc);
            InvalidateRect(header, &part, TRUE);
        }
        UpdateWindow(host);
        const std::vector<std::uint32_t> direct = ScreenPixels(client, headers[0]).All();
        EXPECT_EQ(ScreenPixels(client, headers[1]).All(), direct);
        // Drawn, captions and dividers, not one colour.
        if (round == 0) {
            EXPECT_GT(std::inner_product(direct.begin() + 1, direct.end(), direct.begin(), 0, std::plus<>(),
                                         std::not_equal_to<>()), 200);
        }
    }
    DestroyWindow(host);
}

}  // namespace
}  // namespace qm::win32
