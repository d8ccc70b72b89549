// The real program names files from a list: a UTF-8 list with a blank line at
// its end, "Title Case" on top, the pairing shown in the New Name column
// before "Start", the run and its undo; then the same list one line short,
// which "Start" refuses with a message, touching no file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/private_commands.h"
#include "program_process.h"
#include "remote_list_text.h"
#include "resource_ids.h"
#include "window_driving.h"

namespace qm::testing {
namespace {

constexpr DWORD Timeout = 30000;
constexpr int NewNameColumn = 11;

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

std::vector<std::wstring> NewNames(HWND main) {
    HWND list = GetDlgItem(main, IDC_FILE_LIST);
    std::vector<std::wstring> texts;
    for (int row = 0; row < RowCount(list); ++row) texts.push_back(RemoteListText(list, row, NewNameColumn));
    return texts;
}

TEST(ProgramNameList, TitleCasedNamesFromAListRunAndUndoneAndAShortListRefused) {
    TemporaryFolder programFolder, files, lists;
    const std::vector<std::wstring> names = {L"track1.mp3", L"track2.mp3", L"track3.mp3"};
    std::wstring arguments;  // the files on the command line
    for (const std::wstring& name : names) arguments += L"\"" + files.File(name) + L"\" ";
    for (const std::wstring& name : names) ASSERT_TRUE(test::PutFileContent(files.File(name), {'x'}));
    const std::wstring listFile = lists.File(L"names.txt");
    // UTF-8 without its mark, letters beyond ASCII, a blank line at the end.
    ASSERT_TRUE(test::PutFileContent(listFile, Bytes("won't STOP\r\nthe 2nd take\r\n\xC3\x89T\xC3\x89 \xC3\xA0 paris\r\n\r\n")));
    const std::wstring program = CopyProgramInto(L"Quillmoth.exe", programFolder);

    ProgramProcess process(program, arguments);
    HWND main = process.waitForDialog(L"Quillmoth", Timeout);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return ItemText(main, IDC_STATUS_COUNT) == L" Files: 3"; }, Timeout));
    for (int id : {IDC_FILE_NAMES, IDC_NO_NUMBER}) Check(main, id, true);
    for (int id : {IDC_PREFIX, IDC_SUFFIX, IDC_EXTENSIONS, IDC_DATE, IDC_ATTRIBUTES}) Check(main, id, false);

    // The button beside "From List" picks the file and ticks the box.
    PostMessageW(main, WM_COMMAND, IDC_FROM_LIST_PICK, 0);
    HWND open = process.waitForDialog(L"Choose the list of names", Timeout);
    ASSERT_NE(open, nullptr) << "the open dialog did not appear";
    for (int nameField : {0x47C, 0x480})
        if (GetDlgItem(open, nameField)) SetDlgItemTextW(open, nameField, listFile.c_str());
    PostMessageW(open, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return Checked(main, IDC_FROM_LIST); }, Timeout));
    HWND caseList = GetDlgItem(main, IDC_NAME_CASE);
    SendMessageW(caseList, CB_SETCURSEL, 3, 0);
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_NAME_CASE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(caseList));

    // Before "Start": every pairing and every cased name, by the platform's letters.
    const std::vector<std::wstring> titled = {L"Won't Stop.mp3", L"The 2nd Take.mp3", L"\u00C9t\u00E9 \u00C0 Paris.mp3"};
    EXPECT_TRUE(WaitUntil([&] { return NewNames(main) == titled; }, Timeout));
    EXPECT_TRUE(WaitUntil([&] { return ItemText(main, IDC_STATUS_MESSAGE) == L" Won't Stop"; }, Timeout));

    PostMessageW(main, WM_COMMAND, IDC_START, 0);
    const std::vector<std::wstring> sorted = {titled[1], titled[0], titled[2]};
    EXPECT_TRUE(WaitUntil([&] { return files.Names() == sorted; }, Timeout));
    EXPECT_TRUE(WaitUntil([&] { return ItemText(main, IDC_START) == L"Start"; }, Timeout));
    PostMessageW(main, WM_COMMAND, IDC_UNDO, 0);
    EXPECT_TRUE(WaitUntil([&] { return files.Names() == names; }, Timeout));
    EXPECT_TRUE(WaitUntil([&] { return ItemText(main, IDC_UNDO) == L"^"; }, Timeout));

    // One line short: the file is read again once it has changed.
    ASSERT_TRUE(test::PutFileContent(listFile, Bytes("one\r\ntwo\r\n")));
    PostMessageW(main, WM_COMMAND, CmdRefresh, 0);
    const std::vector<std::wstring> short_ = {L"One.mp3", L"Two.mp3", L"no name in the list"};
    EXPECT_TRUE(WaitUntil([&] { return NewNames(main) == short_; }, Timeout));
    EXPECT_EQ(ItemText(main, IDC_STATUS_MESSAGE), L" One   (List: 1 file without a name)");
    PostMessageW(main, WM_COMMAND, IDC_START, 0);
    HWND box = process.waitForDialog(L"Error", Timeout);
    ASSERT_NE(box, nullptr) << "Start ran with a list one line short";
    EXPECT_EQ(ItemText(box, 0xFFFF), L"From List: 1 file has no name in names.txt\n\nNo file has been renamed.");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, Timeout));
    EXPECT_EQ(files.Names(), names);

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(process.waitForExit(Timeout), 0);
}

}  // namespace
}  // namespace qm::testing
