// Preset buttons (apply, capture with Ctrl+Shift, the Ctrl-only option) and the
// double-click actions on file rows.
#include <gtest/gtest.h>

#include "core/settings/flags.h"
#include "main_window_harness.h"
#include "resource_ids.h"
#include "ui/options/preset_buttons.h"
#include "window_driving.h"
#include "window_thread_calls.h"

namespace qm::testing {
namespace {

// Clicks a preset button on the window's own thread with these keys held.
void ClickWithKeys(WindowThreadCalls& calls, int slot, bool shift, bool ctrl) {
    calls.call([&] {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        const BYTE before[2] = {keys[VK_SHIFT], keys[VK_CONTROL]};
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        keys[VK_CONTROL] = ctrl ? 0x80 : 0;
        SetKeyboardState(keys);
        ClickPreset(calls.window(), slot);
        keys[VK_SHIFT] = before[0];
        keys[VK_CONTROL] = before[1];
        SetKeyboardState(keys);
    });
}

std::uint32_t CheckedWord(HWND w, std::initializer_list<std::pair<int, std::uint32_t>> boxes) {
    std::uint32_t word = 0;
    for (auto [id, bit] : boxes)
        if (Checked(w, id)) word |= bit;
    return word;
}

TEST(Presets, ApplyCaptureAndTheCtrlOnlyOption) {
    ResetRecordsToDefaults();
    MainWindowHarness harness;
    HWND w = harness.window();
    ASSERT_NE(w, nullptr);
    WindowThreadCalls calls(w);
    // Everything unlike the defaults, "Accessed" included.
    for (int id : {IDC_EXTENSIONS, IDC_PREFIX_SPACER, IDC_STAMP_UNIX, IDC_DATE_MODIFIED, IDC_ARCHIVE}) Check(w, id, false);
    for (int id : {IDC_DATE, IDC_DATE_ACCESSED, IDC_READ_ONLY, IDC_STAMP_PRESET, IDC_EXT_LOWERCASE}) Check(w, id, true);
    Check(w, IDC_PREFIX_AUTO, true);
    Command(w, IDC_PREFIX_AUTO);
    Settings().TimeFormat = u"%yyyy%";
    Settings().Spacer = u"-";
    SetDlgItemTextW(w, IDC_ZEROS_EDIT, L"7");

    // Ctrl+Shift stores the window into slot 3 and keeps its label.
    Presets()[2].label = u"Kept";
    ClickWithKeys(calls, 2, true, true);
    const Preset& stored = Presets()[2];
    EXPECT_EQ(stored.label.view(), u"Kept");
    EXPECT_EQ(stored.timeformat.view(), u"%yyyy%");
    EXPECT_EQ(stored.spacer.view(), u"-");
    EXPECT_EQ(stored.zeros, 7);
    EXPECT_EQ(stored.datetimeflags, DateTime::Created) << "no \"Accessed\" in a preset";
    EXPECT_EQ(stored.attribflags, Attribute::ReadOnly);
    EXPECT_EQ(stored.renameflags & (Rename::PrefixAuto | Rename::StampPreset | Rename::StampUnix),
              Rename::PrefixAuto | Rename::StampPreset);
    EXPECT_EQ(stored.extflags, Extension::Lowercase);

    // A plain click applies the default preset of slot 1.
    Command(w, IDC_PRESET_1);
    EXPECT_EQ(ItemText(w, IDC_PREFIX_BOX), L"Prefix");
    EXPECT_EQ(ItemText(w, IDC_SUFFIX_BOX), L"Suffix");
    EXPECT_EQ(ItemText(w, IDC_ZEROS_EDIT), L"4");
    EXPECT_EQ(ItemText(w, IDC_OFFSET_EDIT), L"1");
    EXPECT_EQ(CheckedWord(w, {{IDC_FILE_NAMES, 1}, {IDC_EXTENSIONS, 2}, {IDC_DATE, 4}, {IDC_ATTRIBUTES, 8}}), 3u);
    for (int id : {IDC_PREFIX, IDC_SUFFIX, IDC_PREFIX_SPACER, IDC_SUFFIX_SPACER, IDC_STAMP_UNIX, IDC_DATE_CREATED,
                   IDC_DATE_MODIFIED, IDC_ARCHIVE})
        EXPECT_TRUE(Checked(w, id)) << id;
    for (int id : {IDC_PREFIX_AUTO, IDC_SUFFIX_AUTO, IDC_STAMP_PRESET, IDC_READ_ONLY, IDC_EXT_LOWERCASE})
        EXPECT_FALSE(Checked(w, id)) << id;
    EXPECT_TRUE(Checked(w, IDC_DATE_ACCESSED)) << "applying leaves \"Accessed\" alone";
    EXPECT_FALSE(IsWindowVisible(harness.control(IDC_PREFIX_FRAME)));
    EXPECT_FALSE(IsWindowEnabled(harness.control(IDC_DATE_PICKER))) << "the groups follow the applied boxes";
    EXPECT_EQ(Settings().TimeFormat.view(), DefaultTimeFormat);
    EXPECT_EQ(Settings().Spacer.view(), u"_");

    // With the Ctrl-only option a plain click does nothing; Ctrl+click applies.
    Settings().SettingsFlags |= SettingsOption::CtrlClickForPresets;
    Command(w, IDC_PRESET_2 + 1);
    EXPECT_EQ(ItemText(w, IDC_ZEROS_EDIT), L"4");
    ClickWithKeys(calls, 2, false, true);
    EXPECT_EQ(ItemText(w, IDC_ZEROS_EDIT), L"7");
    EXPECT_TRUE(Checked(w, IDC_PREFIX_AUTO));
    EXPECT_EQ(Settings().Spacer.view(), u"-");
    Settings().SettingsFlags = SettingsOption::DoubleClickNone;
}

void DoubleClick(HWND w, int row) {
    HWND list = GetDlgItem(w, IDC_FILE_LIST);
    for (int i = 0; i < RowCount(list); ++i) SelectRow(list, i, i == row);
    NMITEMACTIVATE activate{};
    activate.hdr = {list, IDC_FILE_LIST, static_cast<UINT>(NM_DBLCLK)};
    activate.iItem = row;
    SendMessageW(w, WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&activate));
}

TEST(RowDoubleClick, RenameWithIncrementCopyToPrefixAndNothingForTwoRows) {
    test::TemporaryFolder folder;
    std::vector<std::wstring> paths;
    for (const wchar_t* name : {L"c.jpg", L"a.jpg", L"b.jpg", L"holiday.2024.jpg", L"README"}) {
        paths.push_back(folder.File(name));
        test::PutFileContent(paths.back(), {1});
    }
    ResetRecordsToDefaults();
    Settings().SettingsFlags = SettingsOption::DoubleClickRename | SettingsOption::IncrementOffset;
    MainWindowHarness harness;
    HWND w = harness.window();
    ASSERT_NE(w, nullptr);
    HWND list = harness.control(IDC_FILE_LIST);
    SendMessageW(w, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
    for (int id : {IDC_FILE_NAMES, IDC_PREFIX, IDC_PREFIX_SPACER}) Check(w, id, true);
    for (int id : {IDC_SUFFIX, IDC_EXTENSIONS, IDC_DATE, IDC_ATTRIBUTES}) Check(w, id, false);
    SetDlgItemTextW(w, IDC_PREFIX_BOX, L"P");
    SetDlgItemTextW(w, IDC_ZEROS_EDIT, L"3");
    SetDlgItemTextW(w, IDC_OFFSET_EDIT, L"1");
    for (int row : {0, 1, 2}) DoubleClick(w, row);
    EXPECT_EQ(ListText(list, 0, 0), L"P_001.jpg");
    EXPECT_EQ(ListText(list, 1, 0), L"P_002.jpg");
    EXPECT_EQ(ListText(list, 2, 0), L"P_003.jpg");
    EXPECT_EQ(ItemText(w, IDC_OFFSET_EDIT), L"4");
    EXPECT_EQ(test::FileContent(folder.File(L"P_001.jpg")), std::vector<std::uint8_t>{1});

    Settings().SettingsFlags = SettingsOption::DoubleClickCopy | SettingsOption::CopyToPrefix;
    DoubleClick(w, 3);
    EXPECT_EQ(ItemText(w, IDC_PREFIX_BOX), L"holiday.2024");
    DoubleClick(w, 4);
    EXPECT_EQ(ItemText(w, IDC_PREFIX_BOX), L"README");

    SelectRow(list, 3, true);  // two rows selected now
    NMITEMACTIVATE activate{};
    activate.hdr = {list, IDC_FILE_LIST, static_cast<UINT>(NM_DBLCLK)};
    SendMessageW(w, WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&activate));
    EXPECT_EQ(ItemText(w, IDC_PREFIX_BOX), L"README");
    Settings().SettingsFlags = SettingsOption::DoubleClickNone;
}

}  // namespace
}  // namespace qm::testing
