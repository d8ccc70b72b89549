// The themed dialog background follows the version that the loaded common
// controls report. Wine 8 loads the side-by-side version 6 library that the
// manifest asks for, yet its DllGetVersion reports 5.81: there the program
// must open its windows without the texture and without error.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>
#include <uxtheme.h>

#include "app/dialog_theme.h"
#include "main_window_harness.h"

namespace qm::testing {
namespace {

DWORD ReportedCommonControlsMajorVersion() {
    InitCommonControls();
    HMODULE module = GetModuleHandleW(L"comctl32.dll");
    if (!module) return 0;
    auto getVersion = reinterpret_cast<HRESULT(CALLBACK*)(DLLVERSIONINFO*)>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllGetVersion")));
    DLLVERSIONINFO info{};
    info.cbSize = sizeof(info);
    if (!getVersion || getVersion(&info) != S_OK) return 0;
    return info.dwMajorVersion;
}

TEST(DialogTheme, FollowsTheReportedCommonControlsVersion) {
    const DWORD major = ReportedCommonControlsMajorVersion();
    EXPECT_EQ(HasCommonControls6(), major >= 6) << "reported major version " << major;
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

TEST(DialogTheme, TheMainWindowGetsTheTabTextureExactlyWhenVersion6IsReported) {
    if (!GetModuleHandleW(L"uxtheme.dll")) LoadLibraryW(L"uxtheme.dll");
    // A dialog that never asked for the texture tells whether the platform can show the flag.
    HWND plain = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1000), nullptr, PlainDialogProc, 0);
    ASSERT_NE(plain, nullptr);
    const bool platformShowsTheFlag = !IsThemeDialogTextureEnabled(plain);
    DestroyWindow(plain);
    if (!platformShowsTheFlag) GTEST_SKIP() << "this platform reports the texture on for every dialog";

    MainWindowHarness harness;
    ASSERT_NE(harness.window(), nullptr);
    const bool version6 = ReportedCommonControlsMajorVersion() >= 6;
    EXPECT_EQ(IsThemeDialogTextureEnabled(harness.window()) != FALSE, version6);
    if (version6) {
        EnableDialogTheme(harness.window(), false);
        EXPECT_FALSE(IsThemeDialogTextureEnabled(harness.window()));
    }
}

}  // namespace
}  // namespace qm::testing
