// The program as a process: one instance at a time, a hidden window that
// keeps the loop, and a clean end with exit code 0 when the main window closes.
#include <gtest/gtest.h>

#include "program_process.h"

namespace qm::testing {
namespace {

constexpr DWORD StartTimeout = 30000;

TEST(ProgramLifecycle, ClosingTheMainWindowEndsTheProcessWithCodeZero) {
    TemporaryFolder folder;
    ProgramProcess program(CopyProgramInto(L"Quillmoth.exe", folder));
    ASSERT_TRUE(program.started());
    HWND main = program.waitForDialog(L"Quillmoth", StartTimeout);
    ASSERT_NE(main, nullptr) << "the main window did not appear";

    // The hidden top-level window of class "MainWindow" is never shown.
    HWND hidden = program.findWindowOfClass(L"MainWindow");
    ASSERT_NE(hidden, nullptr);
    EXPECT_FALSE(IsWindowVisible(hidden));

    // Enter and Escape do not close it.
    PostMessageW(main, WM_COMMAND, IDOK, 0);
    PostMessageW(main, WM_COMMAND, IDCANCEL, 0);
    Sleep(300);
    EXPECT_TRUE(program.running());
    EXPECT_TRUE(IsWindow(main));

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.waitForExit(StartTimeout), 0);
}

TEST(ProgramLifecycle, ASecondInstanceExitsAtOnceAndTheFirstKeepsRunning) {
    TemporaryFolder folder;
    const std::wstring executable = CopyProgramInto(L"Quillmoth.exe", folder);
    ProgramProcess first(executable);
    ASSERT_TRUE(first.started());
    HWND main = first.waitForDialog(L"Quillmoth", StartTimeout);
    ASSERT_NE(main, nullptr);

    {
        ProgramProcess second(executable);
        ASSERT_TRUE(second.started());
        EXPECT_EQ(second.waitForExit(StartTimeout), 0);
        EXPECT_EQ(second.waitForDialog(L"Quillmoth", 0), nullptr) << "the second copy showed a window";
    }
    // The first is not told: same window, still running.
    Sleep(300);
    EXPECT_TRUE(first.running());
    EXPECT_TRUE(IsWindow(main));
    EXPECT_TRUE(IsWindowVisible(main));

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.waitForExit(StartTimeout), 0);
}

}  // namespace
}  // namespace qm::testing
