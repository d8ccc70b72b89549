// The Settings and Add Extensions windows open where they were last closed,
// unless that place would put any part of them off the desktop.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "app/process_records.h"
#include "control_contents.h"
#include "main_window_harness.h"
#include "ui/windows/add_extensions_window.h"
#include "ui/windows/settings_window.h"
#include "window_thread_calls.h"

namespace qm::testing {
namespace {

struct RememberingWindow {
    const wchar_t* caption;
    void (*open)(HWND);
    PointRecord AppSettings::*remembered;
};

RECT OpenAndTakeRect(WindowThreadCalls& calls, const RememberingWindow& kind, HWND mainWindow) {
    OpenedWindow window(calls, [&] { kind.open(mainWindow); }, kind.caption);
    RECT placed{};
    GetWindowRect(window.dialog(), &placed);
    return placed;
}

TEST(RememberedWindowPosition, IsTakenOnlyWhenTheWholeWindowLiesInsideTheDesktop) {
    const RememberingWindow kinds[] = {
        {L"Settings", OpenSettingsWindow, &AppSettings::SettingsDlgXY},
        {L"Add Extensions", OpenAddExtensionsWindow, &AppSettings::AddExtDlgXY},
    };
    ResetRecordsToDefaults();
    MainWindowHarness harness;
    ASSERT_NE(harness.window(), nullptr);
    WindowThreadCalls calls(harness.window());
    const RectRecord desktop = Settings().DesktopRect;

    for (const RememberingWindow& kind : kinds) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(kind.caption)));
        PointRecord& remembered = Settings().*(kind.remembered);
        remembered = {-1, 0};
        const RECT centred = OpenAndTakeRect(calls, kind, harness.window());
        const int w = centred.right - centred.left;
        const int h = centred.bottom - centred.top;
        ASSERT_GT(w, 0);

        struct Row { const char* name; PointRecord point; bool taken; };
        const Row rows[] = {
            {"default", {-1, 0}, false},
            {"inside", {desktop.left + 40, desktop.top + 30}, true},
            {"touching the bottom-right corner", {desktop.right - w, desktop.bottom - h}, true},
            {"one pixel too far right", {desktop.right - w + 1, desktop.top + 30}, false},
            {"one pixel too low", {desktop.left + 40, desktop.bottom - h + 1}, false},
            {"above the desktop", {desktop.left + 40, desktop.top - 1}, false},
            {"from a larger screen", {desktop.right + 200, desktop.top + 100}, false},
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            remembered = row.point;
            OpenedWindow window(calls, [&] { kind.open(harness.window()); }, kind.caption);
            ASSERT_NE(window.dialog(), nullptr);
            RECT placed{};
            GetWindowRect(window.dialog(), &placed);
            const POINT expected = row.taken ? POINT{row.point.x, row.point.y} : POINT{centred.left, centred.top};
            EXPECT_EQ(placed.left, expected.x);
            EXPECT_EQ(placed.top, expected.y);
            EXPECT_EQ(placed.right - placed.left, w) << "the size never changes";

            // Moved and closed, it remembers where it was.
            SetWindowPos(window.dialog(), nullptr, desktop.left + 7, desktop.top + 9, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            PostMessageW(window.dialog(), WM_CLOSE, 0, 0);
            ASSERT_TRUE(window.waitClosed());
            EXPECT_EQ(remembered.x, desktop.left + 7);
            EXPECT_EQ(remembered.y, desktop.top + 9);
        }
    }
}

}  // namespace
}  // namespace qm::testing
