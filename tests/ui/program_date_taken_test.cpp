// The real program with photos taken in another order than their names: the
// "Taken" column and a sort by it, a run with a "Taken" prefix and the "Taken"
// file times, undo, and the choices found again in settings.ini.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "photo_digitized_jpg.h"
#include "program_process.h"
#include "remote_list_text.h"
#include "resource_ids.h"
#include "win32/time_text.h"
#include "window_driving.h"

namespace qm::testing {
namespace {

constexpr DWORD Timeout = 30000;
constexpr int NewNameColumn = 11, TakenColumn = 12;
constexpr std::uint64_t TicksPerSecond = 10'000'000;

std::uint64_t Utc(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    const SYSTEMTIME at{year, month, 0, day, hour, minute, second, 0};
    FILETIME value{};
    SystemTimeToFileTime(&at, &value);
    return (static_cast<std::uint64_t>(value.dwHighDateTime) << 32) | value.dwLowDateTime;
}

// The stored JPEG says it was taken at 2035:05:21 15:02:54, at -03:45; the
// same photo taken at `date` (the same form), in that zone.
std::vector<std::uint8_t> PhotoTakenAt(const std::string& date) {
    std::vector<std::uint8_t> bytes = test::digitized_jpg;
    const std::string stored = "2035:05:21 15:02:54";
    const auto at = std::search(bytes.begin(), bytes.end(), stored.begin(), stored.end());
    if (at != bytes.end()) std::copy(date.begin(), date.end(), at);
    return bytes;
}

std::wstring SettingsText(const std::wstring& path) {
    const std::vector<std::uint8_t> bytes = test::FileContent(path);
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}

TEST(ProgramDateTaken, SortByTakenNameAndDateByItThenUndo) {
    TemporaryFolder programFolder;
    TemporaryFolder files;
    struct Photo {
        std::wstring name;
        std::string exifDate;   // empty: no date taken
        std::uint64_t takenUtc;  // the date at -03:45; for the file without one, its modified time
        std::wstring newName;
    };
    const std::uint64_t dateless = Utc(2020, 2, 3, 4, 5, 6);
    const Photo photos[] = {
        {L"a.jpg", "2023:05:31 09:46:40", Utc(2023, 5, 31, 13, 31, 40), L"2023-05-31 13.31.40.jpg"},
        {L"b.jpg", "2021:12:24 18:00:00", Utc(2021, 12, 24, 21, 45, 0), L"2021-12-24 21.45.00.jpg"},
        {L"c.jpg", "2022:07:08 10:11:12", Utc(2022, 7, 8, 13, 56, 12), L"2022-07-08 13.56.12.jpg"},
        {L"d.jpg", "", dateless, L"2020-02-03 04.05.06.jpg"},
    };
    std::wstring arguments;
    for (std::size_t i = 0; i < std::size(photos); ++i) {
        const Photo& p = photos[i];
        const std::wstring path = files.File(p.name);
        test::PutFileContent(path, p.exifDate.empty() ? std::vector<std::uint8_t>{'x'} : PhotoTakenAt(p.exifDate));
        SetTimes(path, dateless, dateless, p.exifDate.empty() ? dateless : Utc(2019, 1, 1, 10, 0, 0) + i * TicksPerSecond);
        arguments += L" \"" + path + L"\"";
    }
    const std::uint64_t before[] = {TimesOf(files.File(L"a.jpg")).written, TimesOf(files.File(L"b.jpg")).written,
                                    TimesOf(files.File(L"c.jpg")).written, dateless};
    const std::wstring program = CopyProgramInto(L"Quillmoth.exe", programFolder);
    // File names and dates; the prefix is the time stamp, in UTC, with no number after it; "Modified" is set.
    const std::wstring settings = L"\uFEFF[SETTINGS]\r\nTimeFormat=%utc%%yyyy%-%mnn%-%dd% %HH%.%mm%.%ss%\r\n"
                                  L"MainControlFlags=5\r\nRenameFlags=36869\r\nDateTimeFlags=2\r\n\r\n";
    const auto* units = reinterpret_cast<const std::uint8_t*>(settings.data());
    test::PutFileContent(programFolder.File(L"settings.ini"),
                         std::vector<std::uint8_t>(units, units + settings.size() * sizeof(wchar_t)));

    ProgramProcess process(program, arguments);
    HWND main = process.waitForDialog(L"Quillmoth", Timeout);
    ASSERT_NE(main, nullptr);
    HWND list = GetDlgItem(main, IDC_FILE_LIST);
    ASSERT_TRUE(WaitUntil([&] { return ItemText(main, IDC_STATUS_COUNT) == L" Files: 4"; }, Timeout));
    const ListDateText shown = win32::FormatListDate(photos[0].takenUtc);
    EXPECT_EQ(RemoteListText(list, 0, TakenColumn), std::wstring(shown.view().begin(), shown.view().end()));
    EXPECT_EQ(RemoteListText(list, 3, TakenColumn), L"") << "a file without a date taken";

    // A click on the "Taken" heading, which stands after "Accessed": the order they were taken, the dateless last.
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    int x = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, TakenColumn, 0)) / 2;  // off its dividers
    for (int column : {0, NewNameColumn, 1, 2, 3}) x += static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
    SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
    SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(x, 5));
    const std::vector<std::wstring> sorted = {L"b.jpg", L"c.jpg", L"a.jpg", L"d.jpg"};
    EXPECT_TRUE(WaitUntil([&] {
        for (int row = 0; row < 4; ++row)
            if (RemoteListText(list, row, 0) != sorted[static_cast<std::size_t>(row)]) return false;
        return true;
    }, Timeout));

    // "Taken" as the time stamp and for the file times, clicked as a person would.
    SendDlgItemMessageW(main, IDC_STAMP_TAKEN, BM_CLICK, 0, 0);
    SendDlgItemMessageW(main, IDC_DATE_TAKEN, BM_CLICK, 0, 0);
    EXPECT_FALSE(Checked(main, IDC_STAMP_UNIX));
    const std::wstring firstStamp = L"2021-12-24 21.45.00";
    EXPECT_TRUE(WaitUntil([&] { return ItemText(main, IDC_PREFIX_BOX) == firstStamp; }, Timeout))
        << "the box shows the first row's stamp";
    EXPECT_EQ(ItemText(main, IDC_STATUS_MESSAGE), L" " + firstStamp + L"   (Date: M taken)");
    const int rowOf[] = {2, 0, 1, 3};  // where each photo stands after the sort
    for (std::size_t i = 0; i < std::size(photos); ++i)
        EXPECT_EQ(RemoteListText(list, rowOf[i], NewNameColumn), photos[i].newName) << "row " << rowOf[i];

    PostMessageW(main, WM_COMMAND, IDC_START, 0);
    std::vector<std::wstring> renamed;
    for (const Photo& p : photos) renamed.push_back(p.newName);
    std::sort(renamed.begin(), renamed.end());
    ASSERT_TRUE(WaitUntil([&] { return files.Names() == renamed; }, Timeout));
    for (const Photo& p : photos) EXPECT_EQ(TimesOf(files.File(p.newName)).written, p.takenUtc) << p.newName.c_str();
    EXPECT_TRUE(WaitUntil([&] { return ItemText(main, IDC_STATUS_MESSAGE) ==
                                       L" 1 file has no date taken: its times were kept"; }, Timeout))
        << "shows " << std::string(ItemText(main, IDC_STATUS_MESSAGE).begin(), ItemText(main, IDC_STATUS_MESSAGE).end());

    PostMessageW(main, WM_COMMAND, IDC_UNDO, 0);
    std::vector<std::wstring> originals;
    for (const Photo& p : photos) originals.push_back(p.name);
    ASSERT_TRUE(WaitUntil([&] { return files.Names() == originals; }, Timeout));
    for (std::size_t i = 0; i < std::size(photos); ++i)
        EXPECT_EQ(TimesOf(files.File(photos[i].name)).written, before[i]) << i;

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(process.waitForExit(Timeout), 0);
    const std::wstring stored = SettingsText(programFolder.File(L"settings.ini"));
    EXPECT_NE(stored.find(L"\r\nRenameFlags=299009\r\n"), std::wstring::npos) << "the radio's bit 0x40000";
    EXPECT_NE(stored.find(L"\r\nDateTimeFlags=18\r\n"), std::wstring::npos) << "the box's bit 0x10";
    EXPECT_NE(stored.find(L"\r\nTakenWidth=170\r\n"), std::wstring::npos);
}

}  // namespace
}  // namespace qm::testing
