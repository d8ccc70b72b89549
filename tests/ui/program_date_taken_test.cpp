// The real program with photos taken in another order than their names: the
// "Taken" column (the camera's clock) and a sort by it as soon as the rows
// are in (whether or not the dates, read after the rows, are in yet), a run
// with a "Taken" prefix and the "Taken" file times (the instant), undo, and
// the bits of the two choices in settings.ini.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/timestamp/list_date.h"
#include "photo_digitized_jpg.h"
#include "program_process.h"
#include "remote_list_text.h"
#include "resource_ids.h"
#include "window_driving.h"

namespace qm::testing {
namespace {

std::uint64_t Utc(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    const SYSTEMTIME at{year, month, 0, day, hour, minute, second, 0};
    FILETIME f{};
    return SystemTimeToFileTime(&at, &f) ? (std::uint64_t{f.dwHighDateTime} << 32) | f.dwLowDateTime : 0;
}

TEST(ProgramDateTaken, SortByTakenNameAndDateByItThenUndo) {
    TemporaryFolder programFolder, files;
    // The stored JPEG's date (2035:05:21 15:02:54 at -03:45) made each photo's own; d.jpg is no photo.
    const struct Photo { std::wstring name, newName; std::string exifDate; std::uint64_t taken, modified; } photos[] = {{L"a.jpg", L"2023-05-31 13.31.40.jpg", "2023:05:31 09:46:40", Utc(2023, 5, 31, 13, 31, 40), Utc(2019, 1, 1, 10, 0, 1)},
                  {L"b.jpg", L"2021-12-24 21.45.00.jpg", "2021:12:24 18:00:00", Utc(2021, 12, 24, 21, 45, 0), Utc(2019, 1, 1, 10, 0, 2)},
                  {L"c.jpg", L"2022-07-08 13.56.12.jpg", "2022:07:08 10:11:12", Utc(2022, 7, 8, 13, 56, 12), Utc(2019, 1, 1, 10, 0, 3)},
                  {L"d.jpg", L"2020-02-03 04.05.06.jpg", "", Utc(2020, 2, 3, 4, 5, 6), Utc(2020, 2, 3, 4, 5, 6)}};
    std::wstring arguments;
    for (const Photo& p : photos) {
        std::vector<std::uint8_t> bytes = test::digitized_jpg;
        const std::string stored = "2035:05:21 15:02:54";
        std::copy(p.exifDate.begin(), p.exifDate.end(), std::search(bytes.begin(), bytes.end(), stored.begin(), stored.end()));
        test::PutFileContent(files.File(p.name), p.exifDate.empty() ? std::vector<std::uint8_t>{'x'} : bytes);
        SetTimes(files.File(p.name), p.modified, p.modified, p.modified);
        arguments += L" \"" + files.File(p.name) + L"\"";
    }
    const std::vector<std::wstring> names = files.Names();
    // File names and dates; the prefix is the Unix time stamp, no number; "Modified" is set.
    const std::wstring settings = L"\uFEFF[SETTINGS]\r\nTimeFormat=%utc%%yyyy%-%mnn%-%dd% %HH%.%mm%.%ss%\r\n"
                                  L"MainControlFlags=5\r\nRenameFlags=36869\r\nDateTimeFlags=2\r\n\r\n";
    const auto* units = reinterpret_cast<const std::uint8_t*>(settings.data());
    test::PutFileContent(programFolder.File(L"settings.ini"), {units, units + settings.size() * sizeof(wchar_t)});
    ProgramProcess process(CopyProgramInto(L"Quillmoth.exe", programFolder), arguments);
    HWND main = process.waitForDialog(L"Quillmoth", 30000);
    ASSERT_NE(main, nullptr);
    HWND list = GetDlgItem(main, IDC_FILE_LIST);
    ASSERT_TRUE(WaitUntil([&] { return ItemText(main, IDC_STATUS_COUNT) == L" Files: 4"; }, 30000));

    // A click in the middle of the "Taken" heading, after "Accessed": the order taken, the dateless last.
    int x = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 12, 0)) / 2;
    for (int column : {0, 11, 1, 2, 3}) x += static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    for (UINT button : {WM_LBUTTONDOWN, WM_LBUTTONUP}) SendMessageW(header, button, button == WM_LBUTTONDOWN, MAKELPARAM(x, 5));
    const int rowOf[] = {2, 0, 1, 3};
    // The camera's own clock as it wrote it, though it named the zone -03:45.
    const ListDateText shown = FormatListDate(Utc(2023, 5, 31, 9, 46, 40), 0);
    EXPECT_EQ(RemoteListText(list, rowOf[0], 12), std::wstring(shown.view().begin(), shown.view().end()));
    EXPECT_EQ(RemoteListText(list, rowOf[3], 12), L"");
    for (int box : {IDC_STAMP_TAKEN, IDC_DATE_TAKEN}) SendDlgItemMessageW(main, box, BM_CLICK, 0, 0);
    EXPECT_EQ(ItemText(main, IDC_PREFIX_BOX), L"2021-12-24 21.45.00") << "the first row's stamp";
    EXPECT_EQ(ItemText(main, IDC_STATUS_MESSAGE), L" 2021-12-24 21.45.00   (Date: M taken)");
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(RemoteListText(list, rowOf[i], 0), photos[i].name);
        EXPECT_EQ(RemoteListText(list, rowOf[i], 11), photos[i].newName);
        EXPECT_EQ(TimesOf(files.File(photos[i].name)).accessed, photos[i].modified) << "reading the date moved it";
    }

    PostMessageW(main, WM_COMMAND, IDC_START, 0);
    EXPECT_TRUE(WaitUntil([&] { return ItemText(main, IDC_STATUS_MESSAGE) == L" 4 files renamed; 1 file has no date taken: its times were kept"; }, 30000));
    for (const Photo& p : photos) EXPECT_EQ(TimesOf(files.File(p.newName)).written, p.taken) << "the run's name and time";
    PostMessageW(main, WM_COMMAND, IDC_UNDO, 0);
    ASSERT_TRUE(WaitUntil([&] { return files.Names() == names; }, 30000));
    for (const Photo& p : photos) EXPECT_EQ(TimesOf(files.File(p.name)).written, p.modified);

    // The names are back before the undo has ended, and a close meanwhile is dropped.
    EXPECT_TRUE(WaitUntil([&] { return ItemText(main, IDC_UNDO) == L"^"; }, 30000));
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(process.waitForExit(30000), 0);
    const std::vector<std::uint8_t> written = test::FileContent(programFolder.File(L"settings.ini"));
    const std::wstring stored(reinterpret_cast<const wchar_t*>(written.data()), written.size() / sizeof(wchar_t));
    for (const wchar_t* line : {L"\nRenameFlags=299009\r", L"\nDateTimeFlags=18\r"})
        EXPECT_NE(stored.find(line), std::wstring::npos) << "the bits 0x40000 and 0x10";
}

}  // namespace
}  // namespace qm::testing
