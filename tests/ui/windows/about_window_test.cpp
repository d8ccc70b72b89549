// The About window over the real main window: its texts, the link's colour,
// cursor and click.
#include <gtest/gtest.h>
#include <windows.h>

#include <ctime>
#include <string>

#include "control_contents.h"
#include "main_window_harness.h"
#include "real_input.h"
#include "resource_ids.h"
#include "ui/windows/about_window.h"
#include "window_thread_calls.h"

namespace qm::testing {
namespace {

struct OpenCall {
    HWND owner;
    std::wstring address;
};
std::vector<OpenCall> openCalls;

void RecordOpen(HWND owner, const wchar_t* address) { openCalls.push_back({owner, address}); }

RECT ScreenRect(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    return r;
}

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// The cursor that the About window picks when asked with the pointer at `at`,
// once the desktop keeps the pointer there.
HCURSOR CursorShownAt(WindowThreadCalls& calls, HWND about, POINT at) {
    HCURSOR shown = nullptr;
    EXPECT_TRUE(PutPointer(at)) << "the pointer never reached " << at.x << "," << at.y;
    calls.call([&] {
        SetCursor(nullptr);
        SendMessageW(about, WM_SETCURSOR, reinterpret_cast<WPARAM>(about), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        shown = GetCursor();
    });
    return shown;
}

// How many pixels of the rectangle on screen are clearly blue.
int BluePixels(const RECT& r) {
    HDC screen = GetDC(nullptr);
    int blue = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            const COLORREF c = GetPixel(screen, x, y);
            if (GetBValue(c) > 160 && GetRValue(c) < 90 && GetGValue(c) < 90) ++blue;
        }
    }
    ReleaseDC(nullptr, screen);
    return blue;
}

class AboutWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(harness_.window(), nullptr);
        calls_ = std::make_unique<WindowThreadCalls>(harness_.window());
        about_ = std::make_unique<OpenedWindow>(*calls_, [this] { OpenAboutWindow(harness_.window()); }, L"About");
        ASSERT_NE(about_->dialog(), nullptr);
    }
    MainWindowHarness harness_;
    std::unique_ptr<WindowThreadCalls> calls_;
    std::unique_ptr<OpenedWindow> about_;
};

// The product text as the C library writes the build's time, month first.
std::wstring ExpectedProductText(std::int64_t unixSeconds) {
    const __time64_t seconds = unixSeconds;
    std::tm utc{};
    EXPECT_EQ(_gmtime64_s(&utc, &seconds), 0);
    wchar_t text[128] = {};
    swprintf(text, 128, L"Quillmoth 6.0.2.236\n\nBuild Date:\n%02d.%02d.%04d - %02d:%02d:%02d UTC", utc.tm_mon + 1,
             utc.tm_mday, utc.tm_year + 1900, utc.tm_hour, utc.tm_min, utc.tm_sec);
    return text;
}

// The build's time is that of the last commit, passed in by the build.
TEST(AboutText, ShowsTheBuildsOwnDateAndTime) {
    EXPECT_GT(QUILLMOTH_BUILD_TIME, 1'600'000'000) << "a time of this project's own years";
    for (std::int64_t seconds : {std::int64_t{QUILLMOTH_BUILD_TIME}, std::int64_t{0}, std::int64_t{951'782'400},
                                 std::int64_t{1'704'067'199}, std::int64_t{4'102'444'800}})
        EXPECT_EQ(AboutProductText(seconds), ExpectedProductText(seconds)) << seconds;
}

TEST_F(AboutWindowTest, ShowsProductMakersAndABlueLinkWithOneStockBrush) {
    EXPECT_EQ(about_->text(IDC_ABOUT_PRODUCT), ExpectedProductText(QUILLMOTH_BUILD_TIME));
    EXPECT_NE(about_->text(IDC_ABOUT_MAKER).find(L"Quillmoth"), std::wstring::npos);
    EXPECT_EQ(about_->text(IDC_ABOUT_LINK), L"Quillmoth help");

    HWND link = about_->control(IDC_ABOUT_LINK);
    HDC context = GetDC(link);
    for (int paint = 0; paint < 3; ++paint) {
        SetTextColor(context, RGB(1, 2, 3));
        SetBkMode(context, OPAQUE);
        const auto brush = SendMessageW(about_->dialog(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(context),
                                        reinterpret_cast<LPARAM>(link));
        EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), GetStockObject(HOLLOW_BRUSH)) << "no new brush per paint";
        EXPECT_EQ(GetTextColor(context), RGB(0, 0, 255));
        EXPECT_EQ(GetBkMode(context), TRANSPARENT);
    }
    for (int other : {IDC_ABOUT_PRODUCT, IDC_ABOUT_MAKER}) {
        SetTextColor(context, RGB(1, 2, 3));
        const auto brush = SendMessageW(about_->dialog(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(context),
                                        reinterpret_cast<LPARAM>(about_->control(other)));
        EXPECT_NE(reinterpret_cast<HGDIOBJ>(brush), GetStockObject(HOLLOW_BRUSH)) << other;
        EXPECT_NE(GetTextColor(context), RGB(0, 0, 255)) << other << " is drawn as usual";
    }
    ReleaseDC(link, context);

    // On screen: blue in the link, none in the product text.
    calls_->call([this] {
        RedrawWindow(about_->dialog(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    });
    EXPECT_GT(BluePixels(ScreenRect(link)), 10);
    EXPECT_EQ(BluePixels(ScreenRect(about_->control(IDC_ABOUT_PRODUCT))), 0);

    SendMessageW(about_->dialog(), WM_COMMAND, IDOK, 0);
    SendMessageW(about_->dialog(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(about_->waitClosed(50)) << "only the close box ends it";
}

TEST_F(AboutWindowTest, ThePointerIsAHandOverTheLinkOnlyAlsoAfterTheWindowMoved) {
    const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    HWND about = about_->dialog();
    for (POINT moveTo : {POINT{-1, -1}, POINT{60, 50}, POINT{400, 300}}) {
        SCOPED_TRACE(moveTo.x);
        if (moveTo.x >= 0) SetWindowPos(about, nullptr, moveTo.x, moveTo.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        const RECT link = ScreenRect(about_->control(IDC_ABOUT_LINK));
        EXPECT_EQ(CursorShownAt(*calls_, about, Centre(link)), hand);
        EXPECT_EQ(CursorShownAt(*calls_, about, POINT{link.left, link.top}), hand);
        EXPECT_EQ(CursorShownAt(*calls_, about, POINT{link.left - 1, link.top}), arrow);
        EXPECT_EQ(CursorShownAt(*calls_, about, Centre(ScreenRect(about_->control(IDC_ABOUT_PRODUCT)))), arrow);
    }
}

TEST_F(AboutWindowTest, ReleasingTheButtonOnTheLinkOpensTheAddressAndElsewhereNothing) {
    openCalls.clear();
    const WebAddressOpener before = SetWebAddressOpener(RecordOpen);
    HWND about = about_->dialog();
    auto releaseAt = [about](POINT screen) {
        ScreenToClient(about, &screen);
        SendMessageW(about, WM_LBUTTONUP, 0, MAKELPARAM(screen.x, screen.y));
    };
    releaseAt(Centre(ScreenRect(about_->control(IDC_ABOUT_PRODUCT))));
    releaseAt(Centre(ScreenRect(about_->control(IDC_ABOUT_MAKER))));
    EXPECT_TRUE(openCalls.empty());
    releaseAt(Centre(ScreenRect(about_->control(IDC_ABOUT_LINK))));
    ASSERT_EQ(openCalls.size(), 1u);
    EXPECT_EQ(openCalls[0].owner, about);
    wchar_t exe[1024] = {};
    GetModuleFileNameW(nullptr, exe, 1024);
    std::wstring help = exe;
    help.resize(help.find_last_of(L'\\'));
    EXPECT_EQ(openCalls[0].address, help + L"\\Quillmoth.chm") << "the help file beside the program";
    EXPECT_FALSE(about_->closed()) << "the window stays open";
    SetWebAddressOpener(before);
}

}  // namespace
}  // namespace qm::testing
