// The real program renaming 3,000 files: real clicks on "Clear" and "Start"
// ("Stop") during a run never act afterwards, the status cell counts on screen,
// Esc or "Stop" ends the run part-way, and one undo gives every file back.
#include <gtest/gtest.h>

#include <algorithm>

#include "program_process.h"
#include "resource_ids.h"
#include "window_driving.h"

namespace qm::testing {
namespace {

constexpr DWORD Timeout = 60000;

// The pointer moves onto the control; once it is there, the button goes down and up.
void SendClick(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    WaitUntil([&] { POINT at{}; return GetCursorPos(&at) && PtInRect(&r, at); }, 2000);
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}

void PressEscape() {
    keybd_event(VK_ESCAPE, 0, 0, 0);
    keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
}

std::vector<COLORREF> CellPixels(HWND main) {
    RECT r{};
    GetWindowRect(GetDlgItem(main, IDC_STATUS_MESSAGE), &r);
    const ScreenPixels shot(r);
    std::vector<COLORREF> pixels;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) pixels.push_back(shot.At(x, y));
    return pixels;
}

bool StartsWith(const std::wstring& text, const wchar_t* start) { return text.rfind(start, 0) == 0; }

// The count of " Stopped after 1,207 of 3,000", once the cell says so; 0 otherwise.
std::size_t StoppedAfter(HWND main) {
    std::wstring text = ItemText(main, IDC_STATUS_MESSAGE);
    if (!StartsWith(text, L" Stopped after ") || text.find(L" of 3,000") == std::wstring::npos) return 0;
    text.erase(std::remove(text.begin(), text.end(), L','), text.end());
    return std::wcstoul(text.c_str() + 15, nullptr, 10);
}

TEST(ProgramLongRun, ClicksDuringARunAreDroppedEscAndStopEndItAndOneUndoRestores) {
    TemporaryFolder programFolder;
    TemporaryFolder files;
    std::string list;
    for (std::size_t i = 0; i < 3000; ++i) {
        const std::wstring path = files.File(L"photo " + std::to_wstring(10000 + i) + L".txt");
        ASSERT_TRUE(test::PutFileContent(path, {'x'}));
        list += std::string(path.begin(), path.end()) + "\r\n";
    }
    const std::vector<std::wstring> originals = files.Names();
    ASSERT_TRUE(test::PutFileContent(programFolder.File(L"list.txt"), {list.begin(), list.end()}));
    ProgramProcess process(CopyProgramInto(L"Quillmoth.exe", programFolder), L"@" + programFolder.File(L"list.txt"));
    HWND main = process.waitForDialog(L"Quillmoth", Timeout);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return ItemText(main, IDC_STATUS_COUNT) == L" Files: 3000"; }, Timeout));
    ChoosePrefixAndModifiedTime(main);
    const auto renamed = [&] {
        const std::vector<std::wstring> names = files.Names();
        return std::count_if(names.begin(), names.end(), [](const std::wstring& n) { return StartsWith(n, L"P_"); });
    };

    // Esc stops the first run, a click on "Start" (which reads "Stop") the
    // second; a click on "Clear" during each acts neither then nor afterwards.
    std::size_t most = 0;
    for (const bool byEscape : {true, false}) {
        PostMessageW(main, WM_COMMAND, IDC_START, 0);
        ASSERT_TRUE(WaitUntil([&] { return StartsWith(ItemText(main, IDC_STATUS_MESSAGE), L" Renaming "); }, Timeout));
        const std::vector<COLORREF> early = CellPixels(main);
        SendClick(GetDlgItem(main, IDC_CLEAR));
        Sleep(600);
        EXPECT_NE(CellPixels(main), early) << "the count moves on screen";
        EXPECT_EQ(ItemText(main, IDC_START), L"Stop");
        byEscape ? PressEscape() : SendClick(GetDlgItem(main, IDC_START));
        ASSERT_TRUE(WaitUntil([&] { return StoppedAfter(main) > 0; }, Timeout)) << "stopped by Esc " << byEscape;
        const std::size_t done = StoppedAfter(main);
        EXPECT_LT(done, 3000u);
        most = std::max(most, done);
        Sleep(1000);
        EXPECT_EQ(renamed(), static_cast<std::ptrdiff_t>(most)) << "the rows done so far, and no run afterwards";
        EXPECT_EQ(ItemText(main, IDC_STATUS_COUNT), L" Files: 3000") << "the click on \"Clear\" was dropped";
        EXPECT_EQ(ItemText(main, IDC_START), L"Start");
    }

    PostMessageW(main, WM_COMMAND, IDC_UNDO, 0);
    EXPECT_TRUE(WaitUntil([&] { return files.Names() == originals; }, Timeout)) << "one undo restores every file";
    EXPECT_TRUE(WaitUntil([&] { return ItemText(main, IDC_UNDO) == L"^"; }, Timeout)) << "the undo has ended";
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(process.waitForExit(Timeout), 0);
}

}  // namespace
}  // namespace qm::testing
