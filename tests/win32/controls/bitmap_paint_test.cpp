#include "win32/controls/bitmap_paint.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <uxtheme.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace qm::win32 {
namespace {

constexpr int ListWidth = 700, ListHeight = 60;
constexpr COLORREF Magenta = RGB(255, 0, 255);

// The pixels that a window's own device context shows (what it painted), as 0x00RRGGBB.
std::vector<std::uint32_t> PixelsOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* data = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> pixels(data, data + static_cast<std::size_t>(client.right) * client.bottom);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return pixels;
}

void Daub(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    HBRUSH brush = CreateSolidBrush(Magenta);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    ReleaseDC(window, dc);
}

HWND MakeList(HWND host, int top, std::mt19937& random) {
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, top, ListWidth,
                                ListHeight, host, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    for (int column = 0; column < 9; ++column) {
        std::wstring caption = L"Column " + std::to_wstring(column) + std::wstring(random() % 12, L'x');
        LVCOLUMNW c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        c.fmt = column % 3 == 0 ? LVCFMT_LEFT : column % 3 == 1 ? LVCFMT_CENTER : LVCFMT_RIGHT;
        c.pszText = caption.data();
        c.cx = 40 + static_cast<int>(random() % 120);
        SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&c));
    }
    return list;
}

void Settle(HWND host) {
    UpdateWindow(host);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

// Two headers alike, one painting straight onto the screen, one through its
// bitmap: whole, and in random parts of it (the rest left as it was, daubed
// so that a part painted at the wrong place shows), they show the same pixels.
TEST(BitmapPaint, AHeaderShowsWhatItWouldHavePaintedDirectly) {
    InitCommonControls();
    HWND host = CreateWindowExW(WS_EX_TOOLWINDOW, WC_STATICW, L"", WS_POPUP | WS_VISIBLE, 0, 0, ListWidth,
                                2 * ListHeight, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(host, nullptr);
    std::mt19937 random(20261210);
    std::mt19937 same = random;
    HWND direct = ListView_GetHeader(MakeList(host, 0, random));
    HWND buffered = ListView_GetHeader(MakeList(host, ListHeight, same));
    ASSERT_TRUE(direct && buffered);
    EXPECT_NE(GetWindowTheme(buffered), nullptr) << "the themed paint is the one that matters";
    PaintThroughBitmap(buffered);

    InvalidateRect(direct, nullptr, TRUE);
    InvalidateRect(buffered, nullptr, TRUE);
    Settle(host);
    const std::vector<std::uint32_t> whole = PixelsOf(direct);
    ASSERT_FALSE(whole.empty());
    EXPECT_EQ(PixelsOf(buffered), whole);
    int changes = 0;  // the header is drawn: captions and dividers, not one colour
    for (std::size_t i = 1; i < whole.size(); ++i) changes += whole[i] != whole[i - 1];
    EXPECT_GT(changes, 200);

    RECT client{};
    GetClientRect(direct, &client);
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE(round);
        const int left = static_cast<int>(random() % (client.right - 1));
        const int top = static_cast<int>(random() % (client.bottom - 1));
        const RECT part{left, top, left + 1 + static_cast<int>(random() % (client.right - left)),
                        top + 1 + static_cast<int>(random() % (client.bottom - top))};
        Daub(direct);
        Daub(buffered);
        InvalidateRect(direct, &part, TRUE);
        InvalidateRect(buffered, &part, TRUE);
        Settle(host);
        EXPECT_EQ(PixelsOf(buffered), PixelsOf(direct));
    }
    DestroyWindow(host);
}

}  // namespace
}  // namespace qm::win32
