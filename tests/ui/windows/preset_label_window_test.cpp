// The Preset Label window over the real main window: the label it stores and
// the tooltip of the preset's button, which shows the new label at once.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/process_records.h"
#include "control_contents.h"
#include "main_window_harness.h"
#include "resource_ids.h"
#include "ui/windows/preset_label_window.h"
#include "window_thread_calls.h"

namespace qm::testing {
namespace {

int PresetButtonId(int slot) { return slot == 0 ? IDC_PRESET_1 : IDC_PRESET_2 + slot - 1; }

// A tooltip on the preset's button made as the main window makes them: its
// own tooltip window, one subclassing tool under the button with id 0.
HWND AttachTip(WindowThreadCalls& calls, HWND button, const std::wstring& text) {
    HWND tip = nullptr;
    calls.call([&] {
        tip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, button, nullptr, GetModuleHandleW(nullptr),
                              nullptr);
        TOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = button;
        tool.uId = 0;
        GetClientRect(button, &tool.rect);
        tool.hinst = GetModuleHandleW(nullptr);
        tool.lpszText = const_cast<wchar_t*>(text.c_str());
        SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    });
    return tip;
}

std::wstring TipText(HWND tip, HWND button) {
    wchar_t text[256] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = button;
    tool.uId = 0;
    tool.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
    return text;
}

enum class Ending { Save, Cancel, CloseBox };

struct LabelCase {
    const char* name;
    int slot;
    std::wstring typed;      // typed after the edit is emptied
    bool setDirectly;        // put in with WM_SETTEXT, past the typing limit
    Ending ending;
    bool withTip;
    std::wstring expected;
};

TEST(PresetLabelWindow, SavesTheLabelAndUpdatesTheButtonsTooltipAtOnce) {
    const std::wstring twentyFive = L"abcdefghijklmnopqrstuvwxy";
    const LabelCase cases[] = {
        {"empty gives the default", 2, L"", false, Ending::Save, true, L"Preset 3"},
        {"25 characters kept", 4, twentyFive, false, Ending::Save, true, twentyFive},
        {"a 26th is not typed", 5, twentyFive + L"z", false, Ending::Save, true, twentyFive},
        {"26 put in past the limit", 6, twentyFive + L"z", true, Ending::Save, true, L"Preset 7"},
        {"ampersand kept", 0, L"Holiday & more", false, Ending::Save, true, L"Holiday & more"},
        {"last slot", 14, L"Last", false, Ending::Save, true, L"Last"},
        {"no tooltip", 9, L"Quiet", false, Ending::Save, false, L"Quiet"},
        {"cancel", 1, L"New", false, Ending::Cancel, true, L"Preset 2"},
        {"close box", 1, L"New", false, Ending::CloseBox, true, L"Preset 2"},
    };
    ResetRecordsToDefaults();
    MainWindowHarness harness;
    ASSERT_NE(harness.window(), nullptr);
    WindowThreadCalls calls(harness.window());

    for (const LabelCase& c : cases) {
        SCOPED_TRACE(c.name);
        Preset& preset = Presets()[c.slot];
        HWND button = harness.control(PresetButtonId(c.slot));
        const std::wstring before(preset.label.view().begin(), preset.label.view().end());
        HWND tip = c.withTip ? AttachTip(calls, button, before) : nullptr;
        preset.tipwindow = tip;
        preset.buttonwindow = c.withTip ? button : nullptr;

        OpenedWindow window(calls, [&] { OpenPresetLabelWindow(harness.window(), c.slot); }, L"Preset Label");
        ASSERT_NE(window.dialog(), nullptr);
        EXPECT_EQ(window.text(IDC_LABEL_EDIT), before) << "the edit shows the current label";
        EXPECT_EQ(SendMessageW(window.control(IDC_LABEL_EDIT), EM_GETLIMITTEXT, 0, 0), 25);
        SetWindowTextW(window.control(IDC_LABEL_EDIT), L"");
        if (c.setDirectly) {
            SetWindowTextW(window.control(IDC_LABEL_EDIT), c.typed.c_str());
        } else {
            window.type(IDC_LABEL_EDIT, c.typed);
        }
        SendMessageW(window.dialog(), WM_COMMAND, IDOK, 0);  // Enter does nothing
        EXPECT_FALSE(window.waitClosed(50));

        if (c.ending == Ending::Save) window.click(IDC_LABEL_SAVE);
        if (c.ending == Ending::Cancel) window.click(IDC_LABEL_CANCEL);
        if (c.ending == Ending::CloseBox) SendMessageW(window.dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
        ASSERT_TRUE(window.waitClosed());

        EXPECT_EQ(std::wstring(preset.label.view().begin(), preset.label.view().end()), c.expected);
        if (tip) {
            EXPECT_EQ(TipText(tip, button), c.expected);
            calls.call([tip] { DestroyWindow(tip); });
        }
        preset.tipwindow = nullptr;
        preset.buttonwindow = nullptr;
    }
}

TEST(PresetLabelWindow, ASlotOutsideTheFifteenOpensNothing) {
    ResetRecordsToDefaults();
    MainWindowHarness harness;
    ASSERT_NE(harness.window(), nullptr);
    WindowThreadCalls calls(harness.window());
    for (int slot : {-1, 15, 1000}) {
        ASSERT_TRUE(calls.call([&] { OpenPresetLabelWindow(harness.window(), slot); }, 3000))
            << "slot " << slot << " opened a window";
    }
}

}  // namespace
}  // namespace qm::testing
