// The real program: a run with "Date" "Modified", closed, started again, "^"
// and Yes. The file's name comes back and every time it had, to the 100 ns
// (the journal keeps instants, not the list's texts, which stop at the
// millisecond). Wine takes the time zone of a process from the Unix
// environment it inherits, which the Windows environment block does not
// change, so the change of zone between the run and the undo is shown
// natively, by the time zone property test of the run.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "program_driving.h"
#include "resource_ids.h"
#include "window_driving.h"

namespace qm::testing {

namespace {

constexpr DWORD Timeout = 30000;

TEST(ProgramExactTimes, UndoAfterARestartGivesEveryTimeBackToThe100ns) {
    TemporaryFolder programFolder;
    TemporaryFolder files;
    // 2020-07-01 12:00 UTC, and times that are no whole second or millisecond.
    const std::uint64_t written = 132'380'352'000'000'000ull;
    const Times before{written - 7'654'321, written + 1'234'567, written};
    test::PutFileContent(files.File(L"a.jpg"), {'j', 'p', 'g'});
    SetTimes(files.File(L"a.jpg"), before.created, before.accessed, before.written);
    const Times original = TimesOf(files.File(L"a.jpg"));  // as the platform keeps them
    const std::wstring program = CopyProgramInto(L"Quillmoth.exe", programFolder);
    WriteLastPathSettings(programFolder.File(L"settings.ini"), files.path());

    {
        ProgramProcess process(program);
        HWND main = process.waitForDialog(L"Quillmoth", Timeout);
        ASSERT_NE(main, nullptr);
        for (int id : {IDC_FILE_NAMES, IDC_PREFIX, IDC_DATE, IDC_DATE_MODIFIED, IDC_DATE_AUTO}) Check(main, id, true);
        for (int id : {IDC_SUFFIX, IDC_PREFIX_AUTO, IDC_EXTENSIONS, IDC_ATTRIBUTES, IDC_DATE_ACCESSED, IDC_DATE_CREATED})
            Check(main, id, false);
        SetDlgItemTextW(main, IDC_PREFIX_BOX, L"Trip");
        ASSERT_TRUE(AddThroughOpenDialog(process, main, {L"a.jpg"}, Timeout));
        PostMessageW(main, WM_COMMAND, IDC_START, 0);
        ASSERT_TRUE(WaitUntil([&] { return files.Names() != std::vector<std::wstring>{L"a.jpg"}; }, Timeout));
        ASSERT_TRUE(WaitUntil([&] { return ItemText(main, IDC_START) == L"Start"; }, Timeout));
        ASSERT_NE(TimesOf(files.File(files.Names().front())).written, original.written) << "the run dated the file";
        PostMessageW(main, WM_CLOSE, 0, 0);
        ASSERT_EQ(process.waitForExit(Timeout), 0);
    }

    ProgramProcess process(program);
    HWND main = process.waitForDialog(L"Quillmoth", Timeout);
    ASSERT_NE(main, nullptr);
    PostMessageW(main, WM_COMMAND, IDC_UNDO, 0);
    HWND box = process.waitForDialog(L"Undo", Timeout);
    ASSERT_NE(box, nullptr);
    PostMessageW(box, WM_COMMAND, IDYES, 0);
    EXPECT_TRUE(WaitUntil([&] { return files.Names() == std::vector<std::wstring>{L"a.jpg"}; }, Timeout));
    EXPECT_TRUE(WaitUntil([&] { return ItemText(main, IDC_UNDO) == L"^"; }, Timeout));
    const Times after = TimesOf(files.File(L"a.jpg"));
    EXPECT_EQ(after.written, original.written);
    EXPECT_EQ(after.accessed, original.accessed);
    EXPECT_EQ(after.created, original.created);
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(process.waitForExit(Timeout), 0);
}

}  // namespace
}  // namespace qm::testing
