// The Add Extensions window over the real main window: rows it appends to the
// extension list, and what becomes of them in the settings file.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/process_records.h"
#include "control_contents.h"
#include "main_window_harness.h"
#include "resource_ids.h"
#include "ui/windows/add_extensions_window.h"
#include "window_thread_calls.h"

namespace qm::testing {
namespace {

struct AddCase {
    const wchar_t* from;
    const wchar_t* to;
    bool adds;
    const wchar_t* listedFrom;
    const wchar_t* listedTo;
};

TEST(AddExtensionsWindow, AddAppendsACheckedRowWithoutFullStopsBlanksAndForbiddenCharacters) {
    const AddCase cases[] = {
        {L".JPEG", L"jpg", true, L"JPEG", L"jpg"},
        {L"t a r.g z", L"tgz", true, L"targz", L"tgz"},
        {L"...", L"x", true, L"", L"x"},  // judged empty before the removal: a row with empty From
        {L"", L"x", false, nullptr, nullptr},
        {L"abc", L"", false, nullptr, nullptr},
        {L"a*b|c\\d/e:f\"g<h>i?j^k", L"?y?", true, L"abcdefghijk", L"y"},
        {L"a\u00BBb", L"c\u00BBd", true, L"ab", L"cd"},  // the settings file's field separator
        {L"same", L"pair", true, L"same", L"pair"},
        {L"same", L"pair", true, L"same", L"pair"},  // no test for duplicates
    };
    ResetRecordsToDefaults();
    MainWindowHarness harness;
    ASSERT_NE(harness.window(), nullptr);
    WindowThreadCalls calls(harness.window());
    HWND list = harness.control(IDC_EXT_LIST);
    OpenedWindow window(calls, [&] { OpenAddExtensionsWindow(harness.window()); }, L"Add Extensions");
    ASSERT_NE(window.dialog(), nullptr);
    EXPECT_EQ(SendMessageW(window.control(IDC_ADDEXT_FROM), EM_GETLIMITTEXT, 0, 0), 260);
    EXPECT_EQ(SendMessageW(window.control(IDC_ADDEXT_TO), EM_GETLIMITTEXT, 0, 0), 260);

    std::vector<ExtensionRowSeen> expected = ExtensionRows(list);
    for (const AddCase& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(c.from)) + " / " + ::testing::PrintToString(std::wstring(c.to)));
        SetWindowTextW(window.control(IDC_ADDEXT_FROM), c.from);
        SetWindowTextW(window.control(IDC_ADDEXT_TO), c.to);
        window.click(IDC_ADDEXT_ADD);
        if (c.adds) expected.push_back({c.listedFrom, c.listedTo, true});
        EXPECT_EQ(ExtensionRows(list), expected);
        // Both edits are emptied after a row is added and kept when nothing was.
        EXPECT_EQ(window.text(IDC_ADDEXT_FROM), c.adds ? L"" : c.from);
        EXPECT_EQ(window.text(IDC_ADDEXT_TO), c.adds ? L"" : c.to);
    }
    // Enter and Escape do nothing; "Quit" closes.
    SendMessageW(window.dialog(), WM_COMMAND, IDOK, 0);
    SendMessageW(window.dialog(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(window.waitClosed(100));
    window.click(IDC_ADDEXT_QUIT);
    EXPECT_TRUE(window.waitClosed());
    EXPECT_EQ(ExtensionRows(list).size(), expected.size()) << "the rows stay after the window closes";
}

TEST(AddExtensionsWindow, ARowTypedWithTheFieldSeparatorComesBackWholeAfterARestart) {
    TemporaryFolder folder;
    const std::wstring file = folder.File(L"settings.ini");
    ResetRecordsToDefaults();
    {
        MainWindowHarness harness(file);
        ASSERT_NE(harness.window(), nullptr);
        WindowThreadCalls calls(harness.window());
        OpenedWindow window(calls, [&] { OpenAddExtensionsWindow(harness.window()); }, L"Add Extensions");
        ASSERT_NE(window.dialog(), nullptr);
        window.type(IDC_ADDEXT_FROM, L"a\u00BBb");
        window.type(IDC_ADDEXT_TO, L"c");
        window.click(IDC_ADDEXT_ADD);
        window.type(IDC_ADDEXT_FROM, L"mp4");
        window.type(IDC_ADDEXT_TO, L"m\u00BB4v");
        window.click(IDC_ADDEXT_ADD);
        window.click(IDC_ADDEXT_QUIT);
        ASSERT_TRUE(window.waitClosed());
        ASSERT_TRUE(harness.close());
    }
    ResetRecordsToDefaults();
    MainWindowHarness reopened(file);
    ASSERT_NE(reopened.window(), nullptr);
    const std::vector<ExtensionRowSeen> expected = {{L"ab", L"c", true}, {L"mp4", L"m4v", true}};
    EXPECT_EQ(ExtensionRows(reopened.control(IDC_EXT_LIST)), expected);
}

}  // namespace
}  // namespace qm::testing
