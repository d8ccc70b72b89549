// The real program renumbering files that already carry numbers: 0001.txt to
// 0003.txt, the row of 0002 moved to the top, numbered again from 1. The
// New Name column counts no clash, "Start" swaps the two names (one move
// through a temporary name), and undo swaps them back; no other name is left
// in the folder at any time it is looked at.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "program_driving.h"
#include "remote_list_text.h"
#include "resource_ids.h"
#include "window_driving.h"

namespace qm::testing {

namespace {

constexpr DWORD Timeout = 30000;

std::string ContentOf(const TemporaryFolder& folder, const wchar_t* name) {
    const std::vector<std::uint8_t> bytes = test::FileContent(folder.File(name));
    return {bytes.begin(), bytes.end()};
}

// Sends `message` to a window of another process with `record` copied into
// that process, as the control expects.
template <typename Record>
LRESULT SendRemote(HWND window, UINT message, WPARAM wParam, Record& record) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    auto* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof(Record), MEM_COMMIT, PAGE_READWRITE));
    WriteProcessMemory(process, remote, &record, sizeof(Record), nullptr);
    const LRESULT result = SendMessageW(window, message, wParam, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process, remote, &record, sizeof(Record), nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return result;
}

std::wstring RemoteHeading(HWND list, int column) {
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    auto* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof(LVCOLUMNW) + 256, MEM_COMMIT, PAGE_READWRITE));
    LVCOLUMNW heading{};
    heading.mask = LVCF_TEXT;
    heading.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVCOLUMNW));
    heading.cchTextMax = 128;
    WriteProcessMemory(process, remote, &heading, sizeof(heading), nullptr);
    SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(remote));
    wchar_t text[128] = {};
    ReadProcessMemory(process, heading.pszText, text, sizeof(text) - sizeof(wchar_t), nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return text;
}

TEST(ProgramSwap, ThreeNumberedFilesWithTheSecondOnTopAreRenumberedAndUndone) {
    TemporaryFolder programFolder;
    TemporaryFolder files;
    const std::vector<std::wstring> names = {L"0001.txt", L"0002.txt", L"0003.txt"};
    for (const std::wstring& name : names) test::PutFileContent(files.File(name), {name.begin(), name.begin() + 4});
    const std::wstring program = CopyProgramInto(L"Quillmoth.exe", programFolder);
    WriteLastPathSettings(programFolder.File(L"settings.ini"), files.path());

    ProgramProcess process(program);
    HWND main = process.waitForDialog(L"Quillmoth", Timeout);
    ASSERT_NE(main, nullptr);
    Check(main, IDC_FILE_NAMES, true);
    for (int id : {IDC_PREFIX, IDC_SUFFIX, IDC_EXTENSIONS, IDC_DATE, IDC_ATTRIBUTES}) Check(main, id, false);
    SendDlgItemMessageW(main, IDC_ZEROS_UPDOWN, UDM_SETPOS, 0, 4);
    SendDlgItemMessageW(main, IDC_OFFSET_UPDOWN, UDM_SETPOS, 0, 1);
    ASSERT_TRUE(AddThroughOpenDialog(process, main, names, Timeout));
    HWND list = GetDlgItem(main, IDC_FILE_LIST);

    // The row of 0002 alone selected, and moved up to the top.
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendRemote(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), state);
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendRemote(list, LVM_SETITEMSTATE, 1, state);
    PostMessageW(main, WM_COMMAND, IDC_ROW_UP, 0);
    ASSERT_TRUE(WaitUntil([&] { return RemoteListText(list, 0, 0) == L"0002.txt"; }, Timeout));
    state.state = 0;
    SendRemote(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), state);  // all rows take part
    PostMessageW(main, WM_COMMAND, IDC_FILE_NAMES, 0);  // a change of option, which refreshes the column
    EXPECT_TRUE(WaitUntil([&] { return RemoteListText(list, 0, 11) == L"0001.txt"; }, Timeout));
    EXPECT_EQ(RemoteListText(list, 1, 11), L"0002.txt");
    EXPECT_EQ(RemoteHeading(list, 11), L"New Name") << "no clash counted";

    PostMessageW(main, WM_COMMAND, IDC_START, 0);
    EXPECT_TRUE(WaitUntil([&] { return ContentOf(files, L"0001.txt") == "0002"; }, Timeout));
    EXPECT_TRUE(WaitUntil([&] { return ItemText(main, IDC_START) == L"Start"; }, Timeout));
    EXPECT_EQ(files.Names(), names);
    EXPECT_EQ(ContentOf(files, L"0002.txt"), "0001");
    EXPECT_EQ(ContentOf(files, L"0003.txt"), "0003");
    EXPECT_EQ(ItemText(main, IDC_STATUS_MESSAGE).find(L"could not"), std::wstring::npos);
    EXPECT_EQ(RemoteListText(list, 0, 0), L"0001.txt");
    EXPECT_EQ(RemoteListText(list, 1, 0), L"0002.txt");

    PostMessageW(main, WM_COMMAND, IDC_UNDO, 0);
    EXPECT_TRUE(WaitUntil([&] { return ContentOf(files, L"0001.txt") == "0001"; }, Timeout));
    EXPECT_TRUE(WaitUntil([&] { return ItemText(main, IDC_UNDO) == L"^"; }, Timeout));
    EXPECT_EQ(files.Names(), names);
    EXPECT_EQ(ContentOf(files, L"0002.txt"), "0002");
    EXPECT_EQ(RemoteListText(list, 0, 0), L"0002.txt");
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(process.waitForExit(Timeout), 0);
}

}  // namespace
}  // namespace qm::testing
