// The program as a process: one instance at a time (a second start hands over
// to the first), a hidden window that keeps the loop, and a clean end with
// exit code 0 when the main window closes.
#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>

#include <cstring>
#include <initializer_list>

#include "program_process.h"
#include "real_input.h"

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

    EXPECT_EQ(GetFileAttributesW(folder.File(L"settings.ini").c_str()), INVALID_FILE_ATTRIBUTES)
        << "the settings file is written only when the window closes";
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.waitForExit(StartTimeout), 0);

    // The settings file beside the program was written before the process ended.
    HANDLE file = CreateFileW(folder.File(L"settings.ini").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    char start[28] = {};
    DWORD read = 0;
    ReadFile(file, start, sizeof(start), &read, nullptr);
    CloseHandle(file);
    ASSERT_EQ(read, sizeof(start));
    const wchar_t* header = L"\uFEFFQuillmoth.exe 6.0";
    EXPECT_EQ(std::memcmp(start, header, sizeof(start)), 0);
}

// Whether a library of that file name is loaded in the process `id`.
bool HasLoaded(DWORD id, const wchar_t* library) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
    HMODULE modules[1024] = {};
    DWORD bytes = 0;
    bool found = false;
    if (process && EnumProcessModules(process, modules, sizeof(modules), &bytes))
        for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 1024 && !found; ++i) {
            wchar_t name[MAX_PATH] = {};
            found = GetModuleBaseNameW(process, modules[i], name, MAX_PATH) && _wcsicmp(name, library) == 0;
        }
    if (process) CloseHandle(process);
    return found;
}

TEST(ProgramLifecycle, TheStartLoadsNoLibraryThatOnlyALaterRequestNeeds) {
    TemporaryFolder folder;
    ProgramProcess program(CopyProgramInto(L"Quillmoth.exe", folder));
    ASSERT_NE(program.waitForDialog(L"Quillmoth", StartTimeout), nullptr);
    ASSERT_TRUE(HasLoaded(program.id(), L"comctl32.dll")) << "the modules are not read";
    // A drop, "Add Files", a sound and the web address load these ("Add
    // Folder" needs ole32 too, which the system's theme library loads anyway);
    // the shell's path helpers no part of the program needs.
    for (const wchar_t* later : {L"shell32.dll", L"comdlg32.dll", L"winmm.dll", L"shlwapi.dll"})
        EXPECT_FALSE(HasLoaded(program.id(), later)) << later;
}

TEST(ProgramLifecycle, ASecondInstanceWithoutPathsExitsAndBringsTheFirstToTheFront) {
    TemporaryFolder folder;
    const std::wstring executable = CopyProgramInto(L"Quillmoth.exe", folder);
    ProgramProcess first(executable);
    ASSERT_TRUE(first.started());
    HWND main = first.waitForDialog(L"Quillmoth", StartTimeout);
    ASSERT_NE(main, nullptr);

    // Another window has the front.
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(BringToFront(other, false));

    {
        ProgramProcess second(executable);
        ASSERT_TRUE(second.started());
        EXPECT_EQ(second.waitForExit(StartTimeout), 0);
        EXPECT_EQ(second.waitForDialog(L"Quillmoth", 0), nullptr) << "the second copy showed a window";
    }
    // The first comes to the front, and is otherwise unchanged.
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main; }, StartTimeout));
    EXPECT_TRUE(first.running());
    EXPECT_TRUE(IsWindowVisible(main));
    wchar_t count[32] = {};
    GetDlgItemTextW(main, 1083, count, 32);
    EXPECT_STREQ(count, L" Files: 0");
    DestroyWindow(other);

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.waitForExit(StartTimeout), 0);
}

}  // namespace
}  // namespace qm::testing

namespace qm::testing {
namespace {

// Which font a button wears is checked in-process (MainWindow.ButtonsWearTheirFonts):
// Wine answers WM_GETFONT from another process with 0.
TEST(ProgramWithoutFont, StartsAndTheSymbolButtonsKeepTheirPlainCaptions) {
    TemporaryFolder folder;
    ProgramProcess program(CopyProgramInto(L"QuillmothNoFont.exe", folder));
    ASSERT_TRUE(program.started());
    HWND main = program.waitForDialog(L"Quillmoth", StartTimeout);
    ASSERT_NE(main, nullptr);
    const struct {
        int id;
        const wchar_t* caption;
    } buttons[] = {{1003, L"^"}, {1005, L"<"}, {1006, L">"}, {1007, L"?"}, {1014, L"S"},
                   {1074, L"+"}, {1075, L"x"}, {1076, L"<"}, {1077, L">"}};
    for (const auto& button : buttons) {
        wchar_t caption[8] = {};
        GetDlgItemTextW(main, button.id, caption, 8);
        EXPECT_STREQ(caption, button.caption) << button.id;
    }
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.waitForExit(StartTimeout), 0);
}

// With no help file beside the program, F1 (which "?" shares) says so.
TEST(ProgramHelp, AMissingHelpFileIsNamedWithTheFolderWhereItWasLookedFor) {
    TemporaryFolder folder;
    ProgramProcess program(CopyProgramInto(L"Quillmoth.exe", folder));
    RealInputScene scene;
    ASSERT_TRUE(scene.ready()) << "a key or button stays held";
    ASSERT_TRUE(BringToFront(program.waitForDialog(L"Quillmoth", StartTimeout)));
    PressKey(VK_F1);
    HWND box = program.waitForDialog(L"Help", 10000);
    ASSERT_NE(box, nullptr) << "nothing was said";
    wchar_t text[512] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 512);  // a message box's text
    EXPECT_EQ(text, L"The help file Quillmoth.chm is missing: it was looked for in the folder " + folder.path() + L".");
}

}  // namespace
}  // namespace qm::testing
