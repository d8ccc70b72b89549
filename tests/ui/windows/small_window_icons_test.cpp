// The four small windows wear the program's icon at 16 and 32 pixels, and
// opening them again and again makes no new icons.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "control_contents.h"
#include "main_window_harness.h"
#include "resource_ids.h"
#include "ui/windows/about_window.h"
#include "ui/windows/add_extensions_window.h"
#include "ui/windows/preset_label_window.h"
#include "ui/windows/settings_window.h"
#include "window_thread_calls.h"

namespace qm::testing {
namespace {

int IconWidth(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return 0;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

HICON SharedIcon(int size) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON, size,
                                         size, LR_SHARED));
}

TEST(SmallWindowIcons, EachWindowWearsTheSharedProgramIconsAndOpeningAgainMakesNoNewOnes) {
    ResetRecordsToDefaults();
    MainWindowHarness harness;
    ASSERT_NE(harness.window(), nullptr);
    WindowThreadCalls calls(harness.window());
    HWND main = harness.window();
    struct Kind {
        const wchar_t* caption;
        std::function<void()> open;
    };
    const Kind kinds[] = {
        {L"Settings", [main] { OpenSettingsWindow(main); }},
        {L"Add Extensions", [main] { OpenAddExtensionsWindow(main); }},
        {L"Preset Label", [main] { OpenPresetLabelWindow(main, 3); }},
        {L"About", [main] { OpenAboutWindow(main); }},
    };
    const HICON small = SharedIcon(16);
    const HICON big = SharedIcon(32);
    ASSERT_NE(small, nullptr);
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(IconWidth(small), 16);
    EXPECT_EQ(IconWidth(big), 32);
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(kind.caption)));
        for (int opening = 0; opening < 3; ++opening) {
            OpenedWindow window(calls, kind.open, kind.caption);
            ASSERT_NE(window.dialog(), nullptr);
            EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window.dialog(), WM_GETICON, ICON_SMALL, 0)), small);
            EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window.dialog(), WM_GETICON, ICON_BIG, 0)), big);
        }
    }
}

}  // namespace
}  // namespace qm::testing
