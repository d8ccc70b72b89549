// The Settings window opened over the real main window, on its thread, and
// driven through its controls.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/process_records.h"
#include "control_contents.h"
#include "main_window_harness.h"
#include "resource_ids.h"
#include "ui/windows/settings_window.h"
#include "win32/help.h"
#include "window_thread_calls.h"

namespace qm::testing {
namespace {

constexpr int kRadioIds[] = {IDC_SET_DBL_NONE, IDC_SET_DBL_RENAME, IDC_SET_DBL_COPY};
constexpr int kSubOptionIds[] = {IDC_SET_INCREMENT_OFFSET, IDC_SET_TO_PREFIX, IDC_SET_TO_SUFFIX};
constexpr int kSpacerIds[] = {IDC_SET_SPACER_UNDERSCORE, IDC_SET_SPACER_SPACE, IDC_SET_SPACER_PERIOD,
                              IDC_SET_SPACER_HYPHEN,     IDC_SET_SPACER_PLUS,  IDC_SET_SPACER_EQUAL,
                              IDC_SET_SPACER_TILDE};

std::wstring CurrentYear() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return std::to_wstring(now.wYear);
}

struct OpeningRow {
    const char* name;
    std::uint32_t flags;
    const char16_t* spacer;
    std::uint32_t opacity;
    int radio;                   // the double-click radio shown selected, 0 for none
    bool ticked[5];              // Increment Offset, To Prefix, To Suffix, drop, Ctrl
    bool usable[3];              // Increment Offset, To Prefix, To Suffix enabled
    int spacerRadio;             // 0 for none
    int thumb;
};

TEST(SettingsWindow, OpensWithTheStoredOptionsAndTheHistoriesOfTheMainWindow) {
    const OpeningRow rows[] = {
        {"none", 0x01, u"_", 128, IDC_SET_DBL_NONE, {}, {false, false, false}, IDC_SET_SPACER_UNDERSCORE, 128},
        {"rename with offset, ctrl", 0x8A, u" ", 70, IDC_SET_DBL_RENAME, {true, false, false, false, true},
         {true, false, false}, IDC_SET_SPACER_SPACE, 70},
        {"copy to both, drop", 0x74, u"~", 255, IDC_SET_DBL_COPY, {false, true, true, true, false},
         {false, true, true}, IDC_SET_SPACER_TILDE, 255},
        {"rename keeps a disabled tick", 0x12, u".", 200, IDC_SET_DBL_RENAME, {false, true, false, false, false},
         {true, false, false}, IDC_SET_SPACER_PERIOD, 200},
        {"no radio bit", 0x08, u"#", 300, 0, {true, false, false, false, false}, {true, true, true}, 0, 255},
        {"only unknown bits", 0x4000, u"=", 10, 0, {}, {true, true, true}, IDC_SET_SPACER_EQUAL, 70},
        {"huge opacity", 0x01, u"+", 0xFFFFFFFFu, IDC_SET_DBL_NONE, {}, {false, false, false}, IDC_SET_SPACER_PLUS, 255},
    };
    ResetRecordsToDefaults();
    MainWindowHarness harness;
    ASSERT_NE(harness.window(), nullptr);
    WindowThreadCalls calls(harness.window());
    FillCombo(harness.control(IDC_PREFIX_BOX), {L"p1", L"p2", L"p3"}, L"now");
    FillCombo(harness.control(IDC_SUFFIX_BOX), {L"s1"}, L"");

    for (const OpeningRow& row : rows) {
        SCOPED_TRACE(row.name);
        Settings().SettingsFlags = row.flags;
        Settings().Spacer = row.spacer;
        Settings().Opacity = row.opacity;
        Settings().TimeFormat = u"a:b*c";
        OpenedWindow settings(calls, [&] { OpenSettingsWindow(harness.window()); }, L"Settings");
        ASSERT_NE(settings.dialog(), nullptr);

        for (int id : kRadioIds) EXPECT_EQ(settings.checked(id), id == row.radio) << id;
        const int ticks[] = {IDC_SET_INCREMENT_OFFSET, IDC_SET_TO_PREFIX, IDC_SET_TO_SUFFIX,
                             IDC_SET_AUTO_RENAME_DROP, IDC_SET_CTRL_PRESETS};
        for (int i = 0; i < 5; ++i) EXPECT_EQ(settings.checked(ticks[i]), row.ticked[i]) << ticks[i];
        for (int i = 0; i < 3; ++i) EXPECT_EQ(IsWindowEnabled(settings.control(kSubOptionIds[i])) != FALSE, row.usable[i]) << kSubOptionIds[i];
        for (int id : kSpacerIds) EXPECT_EQ(settings.checked(id), id == row.spacerRadio) << id;
        EXPECT_EQ(SendMessageW(settings.control(IDC_SET_OPACITY), TBM_GETPOS, 0, 0), row.thumb);
        EXPECT_EQ(SendMessageW(settings.control(IDC_SET_OPACITY), TBM_GETRANGEMIN, 0, 0), 70);
        EXPECT_EQ(SendMessageW(settings.control(IDC_SET_OPACITY), TBM_GETRANGEMAX, 0, 0), 255);

        EXPECT_EQ(ListBoxItems(settings.control(IDC_SET_PREFIX_LIST)), (std::vector<std::wstring>{L"p1", L"p2", L"p3"}));
        EXPECT_EQ(ListBoxItems(settings.control(IDC_SET_SUFFIX_LIST)), (std::vector<std::wstring>{L"s1"}));
        EXPECT_EQ(settings.text(IDC_SET_FORMAT), L"a:b*c");
        EXPECT_EQ(settings.text(IDC_SET_EXAMPLE), L"a:b*c") << "untouched until the first edit";

        // Enter and Escape arrive as IDOK and IDCANCEL and do nothing.
        SendMessageW(settings.dialog(), WM_COMMAND, IDOK, 0);
        SendMessageW(settings.dialog(), WM_COMMAND, IDCANCEL, 0);
        EXPECT_FALSE(settings.waitClosed(100));
    }
}

TEST(SettingsWindow, DoubleClickRadiosEnableTheirOwnSubOptionsAndKeepTicks) {
    struct Row { int radio; bool usable[3]; };
    const Row rows[] = {
        {IDC_SET_DBL_COPY, {false, true, true}},
        {IDC_SET_DBL_RENAME, {true, false, false}},
        {IDC_SET_DBL_NONE, {false, false, false}},
        {IDC_SET_DBL_COPY, {false, true, true}},
    };
    ResetRecordsToDefaults();
    Settings().SettingsFlags = 0;
    MainWindowHarness harness;
    WindowThreadCalls calls(harness.window());
    OpenedWindow settings(calls, [&] { OpenSettingsWindow(harness.window()); }, L"Settings");
    ASSERT_NE(settings.dialog(), nullptr);
    settings.click(IDC_SET_INCREMENT_OFFSET);
    settings.click(IDC_SET_TO_SUFFIX);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.radio);
        settings.click(row.radio);
        for (int id : kRadioIds) EXPECT_EQ(settings.checked(id), id == row.radio) << id;
        for (int i = 0; i < 3; ++i) EXPECT_EQ(IsWindowEnabled(settings.control(kSubOptionIds[i])) != FALSE, row.usable[i]) << kSubOptionIds[i];
        EXPECT_TRUE(settings.checked(IDC_SET_INCREMENT_OFFSET)) << "disabling keeps the tick";
        EXPECT_TRUE(settings.checked(IDC_SET_TO_SUFFIX));
    }
    settings.click(IDC_SET_SAVE);
    ASSERT_TRUE(settings.waitClosed());
    EXPECT_EQ(Settings().SettingsFlags, 0x04u | 0x08u | 0x20u) << "a tick on a disabled box is saved";
}

enum class Ending { Save, Cancel, CloseBox };

TEST(SettingsWindow, SaveCommitsEverythingWhileCancelAndTheCloseBoxKeepWhatWasThere) {
    for (Ending ending : {Ending::Save, Ending::Cancel, Ending::CloseBox}) {
        SCOPED_TRACE(static_cast<int>(ending));
        ResetRecordsToDefaults();
        Settings().GeneralFlags = General::Transparent;  // the main window opens layered
        Settings().Opacity = 128;
        Settings().TimeFormat = u"%yyyy%";
        Settings().SettingsFlags = SettingsOption::DoubleClickNone;
        MainWindowHarness harness;
        ASSERT_NE(harness.window(), nullptr);
        WindowThreadCalls calls(harness.window());
        ASSERT_EQ(LayeredAlpha(harness.window()), 128);
        HWND prefixBox = harness.control(IDC_PREFIX_BOX);
        HWND suffixBox = harness.control(IDC_SUFFIX_BOX);
        FillCombo(prefixBox, {L"alpha", L"beta", L"gamma"}, L"typed");
        FillCombo(suffixBox, {L"one", L"two"}, L"sfx");

        OpenedWindow settings(calls, [&] { OpenSettingsWindow(harness.window()); }, L"Settings");
        ASSERT_NE(settings.dialog(), nullptr);
        HWND prefixList = settings.control(IDC_SET_PREFIX_LIST);
        HWND suffixList = settings.control(IDC_SET_SUFFIX_LIST);

        settings.click(IDC_SET_PREFIX_DELETE);  // nothing selected: nothing goes
        EXPECT_EQ(ListBoxItems(prefixList).size(), 3u);
        settings.click(IDC_SET_PREFIX_ALL);
        EXPECT_EQ(SendMessageW(prefixList, LB_GETSELCOUNT, 0, 0), 3);
        settings.click(IDC_SET_PREFIX_NONE);
        EXPECT_EQ(SendMessageW(prefixList, LB_GETSELCOUNT, 0, 0), 0);
        SendMessageW(prefixList, LB_SETSEL, TRUE, 1);
        settings.click(IDC_SET_PREFIX_DELETE);
        EXPECT_EQ(ListBoxItems(prefixList), (std::vector<std::wstring>{L"alpha", L"gamma"}));
        settings.click(IDC_SET_SUFFIX_ALL);
        settings.click(IDC_SET_SUFFIX_DELETE);
        EXPECT_TRUE(ListBoxItems(suffixList).empty());

        SetWindowTextW(settings.control(IDC_SET_FORMAT), L"");
        settings.type(IDC_SET_FORMAT, L"y:%yyyy%");
        EXPECT_EQ(settings.text(IDC_SET_EXAMPLE), L"y" + CurrentYear()) << "the example drops the colon";

        HWND slider = settings.control(IDC_SET_OPACITY);
        SendMessageW(slider, WM_KEYDOWN, VK_HOME, 0);
        SendMessageW(slider, WM_KEYUP, VK_HOME, 0);
        EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), 70);
        EXPECT_EQ(LayeredAlpha(harness.window()), 70) << "the main window previews the opacity";

        settings.click(IDC_SET_SPACER_HYPHEN);
        settings.click(IDC_SET_DBL_COPY);
        settings.click(IDC_SET_TO_PREFIX);
        settings.click(IDC_SET_SORT_AS_EXPLORER);

        RECT placed{};
        GetWindowRect(settings.dialog(), &placed);
        if (ending == Ending::Save) settings.click(IDC_SET_SAVE);
        if (ending == Ending::Cancel) settings.click(IDC_SET_CANCEL);
        if (ending == Ending::CloseBox) SendMessageW(settings.dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
        ASSERT_TRUE(settings.waitClosed());

        EXPECT_EQ(Settings().SettingsDlgXY.x, placed.left);
        EXPECT_EQ(Settings().SettingsDlgXY.y, placed.top);
        if (ending == Ending::Save) {
            EXPECT_EQ(ComboItems(prefixBox), (std::vector<std::wstring>{L"alpha", L"gamma"}));
            EXPECT_EQ(WindowText(prefixBox), L"typed");
            EXPECT_TRUE(ComboItems(suffixBox).empty());
            EXPECT_EQ(WindowText(suffixBox), L"sfx");
            EXPECT_EQ(Settings().TimeFormat.view(), u"y:%yyyy%") << "the format keeps its colon";
            EXPECT_EQ(Settings().Opacity, 70u);
            EXPECT_EQ(LayeredAlpha(harness.window()), 70);
            EXPECT_EQ(Settings().Spacer.view(), u"-");
            EXPECT_EQ(Settings().SettingsFlags, 0x114u);
        } else {
            EXPECT_EQ(ComboItems(prefixBox), (std::vector<std::wstring>{L"alpha", L"beta", L"gamma"}));
            EXPECT_EQ(WindowText(prefixBox), L"typed");
            EXPECT_EQ(ComboItems(suffixBox), (std::vector<std::wstring>{L"one", L"two"}));
            EXPECT_EQ(Settings().TimeFormat.view(), u"%yyyy%");
            EXPECT_EQ(Settings().Opacity, 128u);
            EXPECT_EQ(LayeredAlpha(harness.window()), 128) << "the preview is taken back";
            EXPECT_EQ(Settings().Spacer.view(), u"_");
            EXPECT_EQ(Settings().SettingsFlags, 0x01u);
        }
    }
}

TEST(SettingsWindow, TheFormatEditTakesLongStoredFormatsButLimitsTypingAndTheExampleDropsForbiddenCharacters) {
    ResetRecordsToDefaults();
    const std::u16string longFormat(300, u'x');
    Settings().TimeFormat = longFormat;
    Settings().Opacity = 300;
    MainWindowHarness harness;
    WindowThreadCalls calls(harness.window());
    OpenedWindow settings(calls, [&] { OpenSettingsWindow(harness.window()); }, L"Settings");
    ASSERT_NE(settings.dialog(), nullptr);
    EXPECT_EQ(settings.text(IDC_SET_FORMAT).size(), 300u) << "text set by the program is not cut";
    EXPECT_EQ(SendMessageW(settings.control(IDC_SET_FORMAT), EM_GETLIMITTEXT, 0, 0), 260);

    struct Row { const wchar_t* typed; std::wstring example; };
    const Row rows[] = {
        {L"a*b|c\\d/e:f\"g<h>i?j^k", L"abcdefghijk"},
        {L"*|\\/:\"<>?^", L""},
        {L"%yyyy%-%%", CurrentYear() + L"-%"},
        {L"keep . blank", L"keep . blank"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(row.typed)));
        SetWindowTextW(settings.control(IDC_SET_FORMAT), L"");
        settings.type(IDC_SET_FORMAT, row.typed);
        EXPECT_EQ(settings.text(IDC_SET_FORMAT), row.typed);
        EXPECT_EQ(settings.text(IDC_SET_EXAMPLE), row.example);
    }
    SetWindowTextW(settings.control(IDC_SET_FORMAT), L"");
    settings.type(IDC_SET_FORMAT, std::wstring(270, L'z'));
    EXPECT_EQ(settings.text(IDC_SET_FORMAT).size(), 260u) << "typing stops at 260";

    SetWindowTextW(settings.control(IDC_SET_FORMAT), std::wstring(300, L'q').c_str());
    settings.click(IDC_SET_SAVE);
    ASSERT_TRUE(settings.waitClosed());
    EXPECT_EQ(Settings().TimeFormat.view(), std::u16string(300, u'q'));
    EXPECT_EQ(Settings().Opacity, 255u) << "a stored value out of range is saved as the thumb shows it";
}

TEST(SettingsWindow, HelpTargetLiesBesideTheProgramAndAMissingHelpFileLeavesTheWindowWorking) {
    // The help file is looked for by its full path in the program's folder,
    // never in the current folder.
    std::wstring folder = ExecutableFolder();
    if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    EXPECT_EQ(win32::HelpTarget(win32::TimeFormatHelpTopic),
              folder + L"\\Quillmoth.chm::/timeformat.html>TimeFormatPopup");

    // Without a help file beside the test program nothing opens, and the
    // window goes on as before.
    ResetRecordsToDefaults();
    MainWindowHarness harness;
    WindowThreadCalls calls(harness.window());
    OpenedWindow settings(calls, [&] { OpenSettingsWindow(harness.window()); }, L"Settings");
    ASSERT_NE(settings.dialog(), nullptr);
    settings.click(IDC_SET_HELP);
    EXPECT_FALSE(settings.waitClosed(200));
    settings.click(IDC_SET_SPACER_TILDE);
    settings.click(IDC_SET_SAVE);
    ASSERT_TRUE(settings.waitClosed());
    EXPECT_EQ(Settings().Spacer.view(), u"~");
}

}  // namespace
}  // namespace qm::testing
