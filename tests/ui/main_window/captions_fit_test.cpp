// Every push button, check box and radio caption of every window fits its
// control, measured in the control's own font at the screen's resolution. The
// test runs twice: in the usual Wine prefix (96 dpi) and in one at 144 dpi
// (ctest's captions.144dpi, which names the resolution it expects). The folder
// picker is the platform's; under Wine its boxes are windows and measured too.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/font_set.h"
#include "main_window_harness.h"
#include "resource_ids.h"
#include "ui/file_commands/add_folder.h"
#include "ui/windows/about_window.h"
#include "ui/windows/add_extensions_window.h"
#include "ui/windows/preset_label_window.h"
#include "ui/windows/settings_window.h"
#include "window_thread_calls.h"

namespace qm::testing {
namespace {

struct Misfit {
    std::wstring caption;
    int needed;
    int width;
};

// The room a caption needs beside its text: a check box or radio draws its
// mark (13 pixels at 96 dpi) and a gap of 4 pixels before the text; a push
// button its raised edge of 2 pixels on either side.
int RoomBesideText(DWORD type, int dpi) {
    switch (type) {
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_3STATE: case BS_AUTO3STATE:
    case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:
        return MulDiv(12, dpi, 96) + 1 + MulDiv(4, dpi, 96);
    default:
        return 2 * MulDiv(2, dpi, 96);
    }
}

bool Measured(DWORD type) {
    switch (type) {
    case BS_PUSHBUTTON: case BS_DEFPUSHBUTTON: case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_3STATE:
    case BS_AUTO3STATE: case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:
        return true;
    default:
        return false;  // group boxes, owner-drawn buttons
    }
}

// Every window below `window`: the folder picker holds its boxes in windows of its own.
std::vector<HWND> Descendants(HWND window) {
    std::vector<HWND> all;
    EnumChildWindows(window, [](HWND child, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&all));
    return all;
}

// The button captions of a window that are wider than their controls allow.
std::vector<Misfit> Misfits(HWND window, int dpi, int& measured) {
    std::vector<Misfit> misfits;
    for (HWND child : Descendants(window)) {
        wchar_t className[32] = {};
        GetClassNameW(child, className, 32);
        const DWORD type = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE)) & BS_TYPEMASK;
        if (lstrcmpiW(className, L"Button") != 0 || !Measured(type) || !IsWindowVisible(child)) continue;
        wchar_t caption[256] = {};
        GetWindowTextW(child, caption, 256);
        if (!caption[0]) continue;
        HDC context = GetDC(child);
        auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
        HGDIOBJ old = SelectObject(context, font ? font : GetStockObject(SYSTEM_FONT));
        SIZE text{};
        GetTextExtentPoint32W(context, caption, lstrlenW(caption), &text);
        TEXTMETRICW metrics{};
        GetTextMetricsW(context, &metrics);
        SelectObject(context, old);
        ReleaseDC(child, context);
        RECT client{};
        GetClientRect(child, &client);
        ++measured;
        const int needed = text.cx + RoomBesideText(type, dpi);
        if (needed > client.right || metrics.tmHeight > client.bottom)
            misfits.push_back({caption, needed, static_cast<int>(client.right)});
    }
    return misfits;
}

std::string Describe(const std::vector<Misfit>& misfits) {
    std::string text;
    for (const Misfit& m : misfits)
        text += "\"" + std::string(m.caption.begin(), m.caption.end()) + "\" needs " + std::to_string(m.needed) +
                " pixels, has " + std::to_string(m.width) + "; ";
    return text;
}

// The resolution this run must have: the 144-dpi run names it, so that it
// cannot pass in a prefix at 96 dpi by mistake.
int ExpectedDpi() {
    const char* named = std::getenv("QUILLMOTH_WINE_DPI");
    return named && *named ? std::atoi(named) : 96;
}

TEST(Captions, EveryButtonCaptionFitsItsControlInEveryWindow) {
    const int dpi = SystemDpi();
    ASSERT_EQ(dpi, ExpectedDpi());
    ResetRecordsToDefaults();
    MainWindowHarness harness;
    ASSERT_NE(harness.window(), nullptr);
    int measured = 0;
    std::vector<Misfit> misfits = Misfits(harness.window(), dpi, measured);
    EXPECT_TRUE(misfits.empty()) << "main window at " << dpi << " dpi: " << Describe(misfits);

    WindowThreadCalls calls(harness.window());
    HWND main = harness.window();
    struct Window {
        const wchar_t* caption;
        std::function<void()> open;
    } windows[] = {
        {L"Settings", [main] { OpenSettingsWindow(main); }},
        {L"Add Extensions", [main] { OpenAddExtensionsWindow(main); }},
        {L"Preset Label", [main] { OpenPresetLabelWindow(main, 0); }},
        {L"About", [main] { OpenAboutWindow(main); }},
        {L"Add Folder", [main] { AddFilesFromFolder(main); }},
    };
    for (const Window& w : windows) {
        OpenedWindow opened(calls, w.open, w.caption);
        ASSERT_NE(opened.dialog(), nullptr) << std::wstring(w.caption).size();
        misfits = Misfits(opened.dialog(), dpi, measured);
        EXPECT_TRUE(misfits.empty()) << std::string(w.caption, w.caption + lstrlenW(w.caption)) << " at " << dpi
                                     << " dpi: " << Describe(misfits);
    }
    EXPECT_GT(measured, 60) << "every caption was looked at";
}

}  // namespace
}  // namespace qm::testing
