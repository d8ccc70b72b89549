// The main window stores its options in the settings file when it closes and
// shows them again when it opens.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/process_records.h"
#include "core/settings/flags.h"
#include "main_window_harness.h"
#include "resource_ids.h"
#include "ui/options/date_picker.h"
#include "window_driving.h"

namespace qm::testing {
namespace {

std::wstring ComboText(HWND window, int id) {
    wchar_t text[300] = {};
    GetDlgItemTextW(window, id, text, 300);
    return text;
}

// The first two units of the file and its first line, read with plain file I/O.
std::vector<char> FileBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::vector<char> bytes(GetFileSize(file, nullptr));
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

bool Topmost(HWND window) { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

TEST(MainWindowSettings, AFirstStartShowsTheDefaults) {
    ResetRecordsToDefaults();
    MainWindowHarness harness;
    HWND w = harness.window();
    ASSERT_NE(w, nullptr);
    for (int id : {IDC_FILE_NAMES, IDC_EXTENSIONS, IDC_PREFIX, IDC_SUFFIX, IDC_STAMP_UNIX, IDC_PREFIX_SPACER,
                   IDC_SUFFIX_SPACER, IDC_DATE_CREATED, IDC_DATE_MODIFIED, IDC_DATE_ACCESSED, IDC_ARCHIVE})
        EXPECT_TRUE(Checked(w, id)) << id;
    for (int id : {IDC_DATE, IDC_ATTRIBUTES, IDC_PREFIX_AUTO, IDC_SUFFIX_AUTO, IDC_DATE_AUTO, IDC_READ_ONLY,
                   IDC_HIDDEN, IDC_SYSTEM, IDC_ALWAYS_ON_TOP, IDC_TRANSPARENT, IDC_STAMP_WIN32})
        EXPECT_FALSE(Checked(w, id)) << id;
    EXPECT_EQ(LOWORD(SendDlgItemMessageW(w, IDC_ZEROS_UPDOWN, UDM_GETPOS, 0, 0)), 4);
    EXPECT_EQ(LOWORD(SendDlgItemMessageW(w, IDC_OFFSET_UPDOWN, UDM_GETPOS, 0, 0)), 1);
    // No "Auto" box is checked, so no red frame shows.
    for (int id : {IDC_PREFIX_FRAME, IDC_SUFFIX_FRAME, IDC_DATE_FRAME})
        EXPECT_FALSE(IsWindowVisible(harness.control(id))) << id;
    EXPECT_FALSE(GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED);
}

// A stored word may hold two stamp bits: one radio button shows checked, the
// last, and the buttons still behave as one group of automatic ones after.
TEST(MainWindowSettings, TwoStoredStampsCheckOneAndTheGroupStaysAutomatic) {
    ResetRecordsToDefaults();
    Settings().RenameFlags |= Rename::StampUnix | Rename::StampTaken;
    MainWindowHarness harness;
    HWND w = harness.window();
    ASSERT_NE(w, nullptr);
    std::vector<int> checked;
    for (int id : {IDC_STAMP_UNIX, IDC_STAMP_WIN32, IDC_STAMP_CURRENT, IDC_STAMP_PRESET, IDC_STAMP_TAKEN})
        if (Checked(w, id)) checked.push_back(id);
    EXPECT_EQ(checked, std::vector<int>{IDC_STAMP_TAKEN});
    // Wine's click unchecks only the automatic ones of the group.
    SendMessageW(harness.control(IDC_STAMP_UNIX), BM_CLICK, 0, 0);
    EXPECT_TRUE(Checked(w, IDC_STAMP_UNIX));
    EXPECT_FALSE(Checked(w, IDC_STAMP_TAKEN)) << "a click on another stamp unchecks the stored one";
}

TEST(MainWindowSettings, ClosingWritesTheFileThatReopeningShows) {
    TemporaryFolder folder;
    const std::wstring file = folder.File(L"settings.ini");
    const std::uint64_t pickedTime = 133489372200000000ull;  // a whole minute, as the picker keeps it
    RECT placedBefore{};
    {
        ResetRecordsToDefaults();
        MainWindowHarness harness(file);
        HWND w = harness.window();
        ASSERT_NE(w, nullptr);
        CheckDlgButton(w, IDC_FILE_NAMES, BST_UNCHECKED);
        CheckDlgButton(w, IDC_DATE, BST_CHECKED);
        CheckDlgButton(w, IDC_READ_ONLY, BST_CHECKED);
        CheckDlgButton(w, IDC_ARCHIVE, BST_UNCHECKED);
        CheckDlgButton(w, IDC_STAMP_UNIX, BST_UNCHECKED);
        CheckDlgButton(w, IDC_STAMP_CURRENT, BST_CHECKED);
        CheckDlgButton(w, IDC_PREFIX_AUTO, BST_CHECKED);
        CheckDlgButton(w, IDC_EXT_LOWERCASE, BST_CHECKED);
        CheckDlgButton(w, IDC_ALWAYS_ON_TOP, BST_CHECKED);
        SendDlgItemMessageW(w, IDC_ZEROS_UPDOWN, UDM_SETPOS, 0, 7);
        SendDlgItemMessageW(w, IDC_OFFSET_UPDOWN, UDM_SETPOS, 0, 4242);
        SendDlgItemMessageW(w, IDC_FILE_LIST, LVM_SETCOLUMNWIDTH, 3, 77);
        ShowFileTimeInPicker(harness.control(IDC_DATE_PICKER), pickedTime);
        SetDlgItemTextW(w, IDC_PREFIX_BOX, L"Holiday");
        SendDlgItemMessageW(w, IDC_SUFFIX_BOX, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"older"));
        SetWindowPos(w, nullptr, 40, 30, 900, 600, SWP_NOZORDER);
        GetWindowRect(w, &placedBefore);
        ASSERT_TRUE(harness.close());
    }

    const std::vector<char> bytes = FileBytes(file);
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xFE);

    ResetRecordsToDefaults();
    MainWindowHarness reopened(file);
    HWND w = reopened.window();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(Checked(w, IDC_FILE_NAMES));
    EXPECT_TRUE(Checked(w, IDC_DATE));
    // The template starts the groups that the defaults leave off disabled.
    EXPECT_TRUE(IsWindowEnabled(reopened.control(IDC_DATE_CREATED))) << "a group stored on opens enabled";
    EXPECT_TRUE(Checked(w, IDC_READ_ONLY));
    EXPECT_FALSE(Checked(w, IDC_ARCHIVE));
    EXPECT_FALSE(Checked(w, IDC_STAMP_UNIX));
    EXPECT_TRUE(Checked(w, IDC_STAMP_CURRENT));
    EXPECT_TRUE(Checked(w, IDC_PREFIX_AUTO));
    // "File Names" is off, so its group and the prefix's red frame are not shown.
    EXPECT_FALSE(IsWindowVisible(reopened.control(IDC_PREFIX_FRAME)));
    EXPECT_FALSE(IsWindowEnabled(reopened.control(IDC_PREFIX_BOX)));
    EXPECT_TRUE(Checked(w, IDC_EXT_LOWERCASE));
    EXPECT_TRUE(Checked(w, IDC_ALWAYS_ON_TOP));
    if (!Topmost(w)) {
        // Wine 8 at times ignores HWND_TOPMOST for a window holding a date-time
        // picker. If the platform does take it now, opening failed to ask for it.
        SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        EXPECT_FALSE(Topmost(w)) << "the window could be topmost but did not open so";
        std::printf("note: this platform does not make this window topmost; not checked\n");
    }
    EXPECT_EQ(LOWORD(SendDlgItemMessageW(w, IDC_ZEROS_UPDOWN, UDM_GETPOS, 0, 0)), 7);
    EXPECT_EQ(LOWORD(SendDlgItemMessageW(w, IDC_OFFSET_UPDOWN, UDM_GETPOS, 0, 0)), 4242);
    EXPECT_EQ(SendDlgItemMessageW(w, IDC_FILE_LIST, LVM_GETCOLUMNWIDTH, 3, 0), 77);
    EXPECT_EQ(PickerFileTime(reopened.control(IDC_DATE_PICKER)), pickedTime);
    EXPECT_EQ(ComboText(w, IDC_PREFIX_BOX), L"Holiday");
    ASSERT_EQ(SendDlgItemMessageW(w, IDC_SUFFIX_BOX, CB_GETCOUNT, 0, 0), 1);
    RECT placedAfter{};
    GetWindowRect(w, &placedAfter);
    EXPECT_EQ(placedAfter.left, placedBefore.left);
    EXPECT_EQ(placedAfter.top, placedBefore.top);
    EXPECT_EQ(placedAfter.right - placedAfter.left, placedBefore.right - placedBefore.left);
    EXPECT_EQ(placedAfter.bottom - placedAfter.top, placedBefore.bottom - placedBefore.top);
}

// Kept on a larger screen (3,000 x 1,400 at x 2,000), it opens cut to this one.
TEST(MainWindowSettings, APlacementFromALargerScreenIsBroughtInside) {
    ResetRecordsToDefaults();
    Settings().MainDlgWP = {44, 0, SW_SHOWNORMAL, 0, 0, 0, 0, 2000, 100, 5000, 1500};
    MainWindowHarness harness;
    RECT placed{}, work{};
    GetWindowRect(harness.window(), &placed);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_TRUE(EqualRect(&placed, &work)) << placed.left << "," << placed.top << " to " << placed.right;
}

TEST(MainWindowSettings, TransparentStoredOnOpensTranslucentWithTheLowByteOfOpacity) {
    ResetRecordsToDefaults();
    Settings().GeneralFlags = 0x2;
    Settings().Opacity = 0x1C8;  // only the low byte, 0xC8, counts
    TemporaryFolder folder;
    MainWindowHarness harness(folder.File(L"none.ini"));
    HWND w = harness.window();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    if (GetLayeredWindowAttributes(w, nullptr, &alpha, &flags)) {
        EXPECT_EQ(alpha, 0xC8);
        EXPECT_TRUE(flags & LWA_ALPHA);
    }
    EXPECT_TRUE(Checked(w, IDC_TRANSPARENT));
}

}  // namespace
}  // namespace qm::testing
