// The real program with a folder tree: the list sorted as Explorer does by a
// click on "File Name" (twice turns it round, a third time back, the arrow in
// the header following), then renamed with "Folder", "Per Folder" and "Step"
// in the order shown, and undone.
#include <gtest/gtest.h>

#include "program_process.h"
#include "remote_list_text.h"
#include "resource_ids.h"
#include "window_driving.h"

namespace qm::testing {
namespace {

constexpr DWORD Timeout = 30000;

// What the screen shows of the header over the first column.
std::vector<COLORREF> FirstHeading(HWND list) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    RECT area{};
    GetWindowRect(header, &area);
    area.right = area.left + static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
    const ScreenPixels pixels(area);
    std::vector<COLORREF> colours;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) colours.push_back(pixels.At(x, y));
    return colours;
}

void ClickFirstHeading(HWND list) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int x = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0)) / 3;
    for (UINT button : {WM_LBUTTONDOWN, WM_LBUTTONUP}) SendMessageW(header, button, button == WM_LBUTTONDOWN, MAKELPARAM(x, 5));
}

std::vector<std::wstring> Shown(HWND list, int column) {
    std::vector<std::wstring> texts;
    for (int row = 0; row < RowCount(list); ++row) texts.push_back(RemoteListText(list, row, column));
    return texts;
}

TEST(ProgramSortAndCount, ATreeSortedAsExplorerDoesNumberedPerFolderByTheStepWithTheFolderNameThenUndone) {
    TemporaryFolder programFolder, tree;
    for (const wchar_t* folder : {L"Alps", L"Rome"}) ASSERT_TRUE(CreateDirectoryW(tree.File(folder).c_str(), nullptr));
    // Handed over in an order that no sort gives.
    const std::vector<std::wstring> files = {L"Rome\\IMG_20.jpg", L"Alps\\IMG_10.jpg", L"Alps\\img_1.jpg",
                                             L"Rome\\IMG_3.jpg", L"Alps\\IMG_2.jpg"};
    std::wstring arguments;
    for (const std::wstring& file : files) {
        test::PutFileContent(tree.File(file), {'x'});
        arguments += L" \"" + tree.File(file) + L"\"";
    }
    // "Sort as Explorer does" (0x100) with the double-click doing nothing; file names with
    // the prefix and its spacer, two digits from 1.
    const std::wstring settings = L"\uFEFF[SETTINGS]\r\nSettingsFlags=257\r\nMainControlFlags=1\r\nRenameFlags=65\r\n"
                                  L"Zeros=2\r\nOffset=1\r\n\r\n";
    const auto* units = reinterpret_cast<const std::uint8_t*>(settings.data());
    test::PutFileContent(programFolder.File(L"settings.ini"), {units, units + settings.size() * sizeof(wchar_t)});
    ProgramProcess process(CopyProgramInto(L"Quillmoth.exe", programFolder), arguments);
    HWND main = process.waitForDialog(L"Quillmoth", Timeout);
    ASSERT_NE(main, nullptr);
    HWND list = GetDlgItem(main, IDC_FILE_LIST);
    ASSERT_TRUE(WaitUntil([&] { return ItemText(main, IDC_STATUS_COUNT) == L" Files: 5"; }, Timeout));
    SetForegroundWindow(main);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main; }, Timeout));

    // Digits by their value, case ignored; the second click turns it round, the third back.
    const std::vector<std::wstring> ascending = {L"img_1.jpg", L"IMG_2.jpg", L"IMG_3.jpg", L"IMG_10.jpg", L"IMG_20.jpg"};
    const std::vector<std::wstring> descending(ascending.rbegin(), ascending.rend());
    const std::vector<COLORREF> plain = FirstHeading(list);
    ClickFirstHeading(list);
    EXPECT_EQ(Shown(list, 0), ascending);
    EXPECT_TRUE(WaitUntil([&] { return FirstHeading(list) != plain; }, Timeout)) << "an arrow in the heading";
    const std::vector<COLORREF> up = FirstHeading(list);
    ClickFirstHeading(list);
    EXPECT_EQ(Shown(list, 0), descending);
    EXPECT_TRUE(WaitUntil([&] { return FirstHeading(list) != up && FirstHeading(list) != plain; }, Timeout))
        << "the arrow turned round";
    ClickFirstHeading(list);
    EXPECT_EQ(Shown(list, 0), ascending);
    EXPECT_TRUE(WaitUntil([&] { return FirstHeading(list) == up; }, Timeout));

    // The folder's name as the prefix, a count per folder and a step of 10, as a person sets them.
    Click(main, IDC_PREFIX_FOLDER);
    Click(main, IDC_PER_FOLDER);
    SetDlgItemTextW(main, IDC_STEP_EDIT, L"10");
    const std::vector<std::wstring> renamed = {L"Alps_01.jpg", L"Alps_11.jpg", L"Rome_01.jpg", L"Alps_21.jpg",
                                               L"Rome_11.jpg"};
    EXPECT_TRUE(WaitUntil([&] { return Shown(list, 11) == renamed; }, Timeout)) << "the New Name column";
    EXPECT_EQ(ItemText(main, IDC_STATUS_MESSAGE), L" Alps_01");

    PostMessageW(main, WM_COMMAND, IDC_START, 0);
    EXPECT_TRUE(WaitUntil([&] { return Shown(list, 0) == renamed; }, Timeout));
    EXPECT_EQ(TemporaryFolder::NamesIn(tree.File(L"Alps")), (std::vector<std::wstring>{L"Alps_01.jpg", L"Alps_11.jpg", L"Alps_21.jpg"}));
    EXPECT_EQ(TemporaryFolder::NamesIn(tree.File(L"Rome")), (std::vector<std::wstring>{L"Rome_01.jpg", L"Rome_11.jpg"}));
    EXPECT_TRUE(WaitUntil([&] { return ItemText(main, IDC_START) == L"Start"; }, Timeout));

    PostMessageW(main, WM_COMMAND, IDC_UNDO, 0);
    EXPECT_TRUE(WaitUntil([&] { return Shown(list, 0) == ascending; }, Timeout));
    EXPECT_EQ(TemporaryFolder::NamesIn(tree.File(L"Alps")), (std::vector<std::wstring>{L"IMG_10.jpg", L"IMG_2.jpg", L"img_1.jpg"}));
    EXPECT_EQ(TemporaryFolder::NamesIn(tree.File(L"Rome")), (std::vector<std::wstring>{L"IMG_20.jpg", L"IMG_3.jpg"}));

    EXPECT_TRUE(WaitUntil([&] { return ItemText(main, IDC_UNDO) == L"^"; }, Timeout));
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(process.waitForExit(Timeout), 0);
    const std::vector<std::uint8_t> written = test::FileContent(programFolder.File(L"settings.ini"));
    const std::wstring stored(reinterpret_cast<const wchar_t*>(written.data()), written.size() / sizeof(wchar_t));
    for (const wchar_t* line : {L"\nSettingsFlags=257\r", L"\nRenameFlags=1572929\r", L"\nStep=10\r"})
        EXPECT_NE(stored.find(line), std::wstring::npos) << "0x80000 and 0x100000 beside the prefix's bits";
}

}  // namespace
}  // namespace qm::testing
