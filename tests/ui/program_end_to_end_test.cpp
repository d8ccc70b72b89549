// The real program, as a person would use it: add three files through the open
// dialog, rename them with "Start", undo, close, and find every option again
// after a restart.
#include <gtest/gtest.h>

#include <functional>

#include "program_driving.h"
#include "resource_ids.h"
#include "window_driving.h"

namespace qm::testing {
namespace {

constexpr DWORD Timeout = 30000;

TEST(ProgramEndToEnd, AddRenameUndoCloseAndReopen) {
    TemporaryFolder programFolder;
    TemporaryFolder files;
    const std::vector<std::wstring> names = {L"a.txt", L"b.txt", L"c.jpg"};
    for (const std::wstring& name : names) test::PutFileContent(files.File(name), {'x'});
    const std::wstring program = CopyProgramInto(L"Quillmoth.exe", programFolder);
    WriteLastPathSettings(programFolder.File(L"settings.ini"), files.path());

    {
        ProgramProcess process(program);
        HWND main = process.waitForDialog(L"Quillmoth", Timeout);
        ASSERT_NE(main, nullptr);
        for (int id : {IDC_FILE_NAMES, IDC_PREFIX, IDC_PREFIX_SPACER, IDC_ALWAYS_ON_TOP, IDC_ARCHIVE})
            Check(main, id, true);
        for (int id : {IDC_SUFFIX, IDC_EXTENSIONS, IDC_DATE, IDC_ATTRIBUTES, IDC_PREFIX_AUTO}) Check(main, id, false);
        SetDlgItemTextW(main, IDC_PREFIX_BOX, L"Trip");
        SendDlgItemMessageW(main, IDC_ZEROS_UPDOWN, UDM_SETPOS, 0, 3);
        SendDlgItemMessageW(main, IDC_OFFSET_UPDOWN, UDM_SETPOS, 0, 7);

        PostMessageW(main, WM_COMMAND, IDC_ADD, 0);
        HWND open = process.waitForDialog(L"Select files", Timeout);
        ASSERT_NE(open, nullptr) << "the open dialog did not appear";
        // The dialog starts in the folder remembered as LastPath; the names are typed.
        const wchar_t* typed = L"\"a.txt\" \"b.txt\" \"c.jpg\"";
        for (int nameField : {0x47C, 0x480})
            if (GetDlgItem(open, nameField)) SetDlgItemTextW(open, nameField, typed);
        PostMessageW(open, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitUntil([&] { return ItemText(main, IDC_STATUS_COUNT) == L" Files: 3"; }, Timeout))
            << "shows " << std::string(ItemText(main, IDC_STATUS_COUNT).begin(), ItemText(main, IDC_STATUS_COUNT).end());

        PostMessageW(main, WM_COMMAND, IDC_START, 0);
        const std::vector<std::wstring> renamed = {L"Trip_007.txt", L"Trip_008.txt", L"Trip_009.jpg"};
        EXPECT_TRUE(WaitUntil([&] { return files.Names() == renamed; }, Timeout));
        // Commands that come while the run still ends are dropped, as the user's are.
        EXPECT_TRUE(WaitUntil([&] { return ItemText(main, IDC_START) == L"Start"; }, Timeout));

        PostMessageW(main, WM_COMMAND, IDC_UNDO, 0);
        EXPECT_TRUE(WaitUntil([&] { return files.Names() == names; }, Timeout));

        // The names are back before the undo has ended, and a close meanwhile is dropped.
        EXPECT_TRUE(WaitUntil([&] { return ItemText(main, IDC_UNDO) == L"^"; }, Timeout));
        PostMessageW(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(process.waitForExit(Timeout), 0);
    }

    ProgramProcess again(program);
    HWND main = again.waitForDialog(L"Quillmoth", Timeout);
    ASSERT_NE(main, nullptr);
    for (int id : {IDC_FILE_NAMES, IDC_PREFIX, IDC_PREFIX_SPACER, IDC_ALWAYS_ON_TOP, IDC_ARCHIVE})
        EXPECT_TRUE(Checked(main, id)) << id;
    for (int id : {IDC_SUFFIX, IDC_EXTENSIONS, IDC_DATE, IDC_ATTRIBUTES}) EXPECT_FALSE(Checked(main, id)) << id;
    EXPECT_EQ(ItemText(main, IDC_PREFIX_BOX), L"Trip");
    EXPECT_EQ(ItemText(main, IDC_ZEROS_EDIT), L"3");
    EXPECT_EQ(ItemText(main, IDC_OFFSET_EDIT), L"7");
    EXPECT_EQ(SendDlgItemMessageW(main, IDC_PREFIX_BOX, CB_GETCOUNT, 0, 0), 1) << "the run put Trip into the history";
    EXPECT_EQ(ItemText(main, IDC_STATUS_COUNT), L" Files: 0");
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(again.waitForExit(Timeout), 0);
}

}  // namespace
}  // namespace qm::testing
