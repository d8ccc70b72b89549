// The main window's pop-up menu: what it holds, what each choice does to its
// control and which command it posts, and the real menu shown and dismissed.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "app/process_records.h"
#include "control_contents.h"
#include "main_window_harness.h"
#include "real_input.h"
#include "resource_ids.h"
#include "ui/main_window/context_menu.h"
#include "window_thread_calls.h"

namespace qm::testing {
namespace {

enum class Kind { Toggle, Select, Command, Separator };

struct Item {
    int id;
    const wchar_t* text;
    int control;
    Kind kind;
};

constexpr Item kSeparator{0, nullptr, 0, Kind::Separator};

struct Submenu {
    const wchar_t* title;
    std::vector<Item> items;
};

const std::vector<Submenu>& ExpectedSubmenus() {
    static const std::vector<Submenu> submenus = {
        {L"Rename Options", {
            {1, L"Rename Files", 1009, Kind::Toggle}, kSeparator,
            {2, L"Use Prefix", 1021, Kind::Toggle}, {3, L"Auto Prefix", 1022, Kind::Toggle},
            {4, L"Uppercase Prefix", 1023, Kind::Toggle}, {5, L"Lowercase Prefix", 1024, Kind::Toggle},
            {6, L"Spacer After Prefix", 1025, Kind::Toggle}, kSeparator,
            {7, L"Use Suffix", 1026, Kind::Toggle}, {8, L"Auto Suffix", 1027, Kind::Toggle},
            {9, L"Uppercase Suffix", 1028, Kind::Toggle}, {10, L"Lowercase Suffix", 1029, Kind::Toggle},
            {11, L"Spacer After Suffix", 1030, Kind::Toggle}, kSeparator,
            {51, L"Keep Name", 1120, Kind::Toggle}, {52, L"No Number", 1121, Kind::Toggle}}},
        {L"Extension Options", {
            {12, L"Rename Extensions", 1010, Kind::Toggle}, kSeparator,
            {13, L"Uppercase", 1078, Kind::Toggle}, {14, L"Lowercase", 1079, Kind::Toggle}, kSeparator,
            {15, L"Add Extensions", 1074, Kind::Command}}},
        {L"File Date Options", {
            {16, L"Set Date", 1011, Kind::Toggle}, kSeparator,
            {17, L"Set Created Date", 1047, Kind::Toggle}, {18, L"Set Modified Date", 1048, Kind::Toggle},
            {19, L"Set Accessed Date", 1012, Kind::Toggle}, {20, L"Auto Date", 1049, Kind::Toggle}, {55, L"Use Date Taken", 1130, Kind::Toggle}}},
        {L"Attribute Options", {
            {21, L"Set Attributes", 1013, Kind::Toggle}, kSeparator,
            {22, L"Read Only", 1069, Kind::Toggle}, {23, L"Hidden", 1070, Kind::Toggle},
            {24, L"System", 1071, Kind::Toggle}, {25, L"Archive", 1072, Kind::Toggle}}},
        {L"Timestamp Options", {
            {26, L"Unix Timestamp", 1035, Kind::Select}, {27, L"Win32 Timestamp", 1031, Kind::Select},
            {28, L"Current Timestamp", 1036, Kind::Select}, {29, L"Preset Timestamp", 1037, Kind::Select}, {54, L"Taken Timestamp", 1129, Kind::Select}}},
    };
    return submenus;
}

const std::vector<Item>& ExpectedTopItems() {
    static const std::vector<Item> items = {
        {30, L"Add Files", 1004, Kind::Command},  {31, L"Always On Top", 1008, Kind::Toggle},
        {32, L"Transparent", 1034, Kind::Toggle}, {33, L"Settings", 1014, Kind::Command},
        {34, L"Help", 1007, Kind::Command},       {35, L"About", 1033, Kind::Command},
        kSeparator,                               {53, L"Add Folder", 1128, Kind::Command},
    };
    return items;
}

int PresetButtonId(int slot) { return slot == 0 ? IDC_PRESET_1 : IDC_PRESET_2 + slot - 1; }

// Every item with an id, presets included: item id -> (control, kind).
std::map<int, Item> AllItems() {
    std::map<int, Item> all;
    for (const Submenu& submenu : ExpectedSubmenus())
        for (const Item& item : submenu.items)
            if (item.kind != Kind::Separator) all[item.id] = item;
    for (const Item& item : ExpectedTopItems())
        if (item.kind != Kind::Separator) all[item.id] = item;
    for (int slot = 0; slot < 15; ++slot) all[36 + slot] = {36 + slot, nullptr, PresetButtonId(slot), Kind::Command};
    return all;
}

// The controls that carry a check mark in the menu.
std::vector<int> CheckableControls() {
    std::vector<int> ids;
    for (const auto& [id, item] : AllItems())
        if (item.kind == Kind::Toggle || item.kind == Kind::Select) ids.push_back(item.control);
    return ids;
}

std::map<int, bool> CheckStates(HWND main) {
    std::map<int, bool> states;
    for (int id : CheckableControls()) states[id] = IsDlgButtonChecked(main, id) == BST_CHECKED;
    return states;
}

struct Seen {
    UINT type = 0;
    UINT state = 0;
    UINT id = 0;
    HMENU submenu = nullptr;
    std::wstring text;
};

Seen ItemAt(HMENU menu, int position) {
    wchar_t text[128] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 128;
    GetMenuItemInfoW(menu, position, TRUE, &info);
    return {info.fType, info.fState, info.wID, info.hSubMenu, text};
}

void ExpectItem(HMENU menu, int position, const Item& item, HWND main) {
    const Seen seen = ItemAt(menu, position);
    SCOPED_TRACE(::testing::Message() << "position " << position << ", item " << item.id);
    if (item.kind == Kind::Separator) {
        EXPECT_TRUE(seen.type & MFT_SEPARATOR);
        return;
    }
    EXPECT_FALSE(seen.type & MFT_SEPARATOR);
    EXPECT_EQ(seen.id, static_cast<UINT>(item.id));
    EXPECT_EQ(seen.text, item.text);
    EXPECT_EQ(seen.submenu, nullptr);
    EXPECT_FALSE(seen.state & (MFS_DISABLED | MFS_GRAYED)) << "every item is enabled";
    const bool shouldCheck = item.kind != Kind::Command && IsDlgButtonChecked(main, item.control) == BST_CHECKED;
    EXPECT_EQ((seen.state & MFS_CHECKED) != 0, shouldCheck);
}

class ContextMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRecordsToDefaults();
        harness_ = std::make_unique<MainWindowHarness>();
        ASSERT_NE(main(), nullptr);
        calls_ = std::make_unique<WindowThreadCalls>(main());
    }
    void TearDown() override {
        calls_.reset();
        harness_.reset();
    }
    HWND main() const { return harness_->window(); }
    void SetChecks(bool (*pattern)(int index)) {
        int index = 0;
        for (int id : CheckableControls())
            SendDlgItemMessageW(main(), id, BM_SETCHECK, pattern(index++) ? BST_CHECKED : BST_UNCHECKED, 0);
    }

    std::unique_ptr<MainWindowHarness> harness_;
    std::unique_ptr<WindowThreadCalls> calls_;
};

TEST_F(ContextMenuTest, HoldsEveryItemWithTheCheckMarksOfItsControlsAndThePresetLabels) {
    for (int slot = 0; slot < 15; ++slot) Presets()[slot].label = u"Label " + std::u16string(1, u'A' + slot);
    Presets()[4].label = u"Fish & Chips";
    bool (*const patterns[])(int) = {
        [](int index) { return index % 2 == 0; },
        [](int index) { return index % 2 == 1; },
    };
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass);
        SetChecks(patterns[pass]);
        // A disabled control still gets an enabled item.
        for (int id : CheckableControls()) EnableWindow(GetDlgItem(main(), id), pass == 0);

        HMENU menu = BuildFileListMenu(main());
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(GetMenuItemCount(menu), 14);
        const auto& submenus = ExpectedSubmenus();
        for (int position = 0; position < 5; ++position) {
            const Submenu& expected = submenus[position];
            const Seen seen = ItemAt(menu, position);
            EXPECT_EQ(seen.text, expected.title);
            ASSERT_NE(seen.submenu, nullptr) << position;
            ASSERT_EQ(GetMenuItemCount(seen.submenu), static_cast<int>(expected.items.size()));
            for (size_t i = 0; i < expected.items.size(); ++i)
                ExpectItem(seen.submenu, static_cast<int>(i), expected.items[i], main());
        }
        const Seen presets = ItemAt(menu, 5);
        EXPECT_EQ(presets.text, L"Presets");
        ASSERT_NE(presets.submenu, nullptr);
        ASSERT_EQ(GetMenuItemCount(presets.submenu), 15);
        for (int slot = 0; slot < 15; ++slot) {
            const Seen item = ItemAt(presets.submenu, slot);
            EXPECT_EQ(item.id, static_cast<UINT>(36 + slot));
            // "&" would mark an access key; it is doubled so that the label shows as typed.
            EXPECT_EQ(item.text, slot == 4 ? std::wstring(L"Fish && Chips") : L"Label " + std::wstring(1, L'A' + slot));
            EXPECT_FALSE(item.state & (MFS_CHECKED | MFS_DISABLED | MFS_GRAYED));
        }
        const auto& top = ExpectedTopItems();
        for (size_t i = 0; i < top.size(); ++i) ExpectItem(menu, 6 + static_cast<int>(i), top[i], main());
        EXPECT_TRUE(DestroyMenu(menu));
    }
}

TEST_F(ContextMenuTest, EveryChoiceActsThroughItsControlAndPostsItsCommandAlsoOnADisabledControl) {
    const std::map<int, Item> items = AllItems();
    ASSERT_EQ(items.size(), 55u);
    for (bool startChecked : {false, true}) {
        for (bool disabled : {false, true}) {
            SCOPED_TRACE(::testing::Message() << (startChecked ? "checked" : "unchecked")
                                              << (disabled ? ", disabled" : ", enabled"));
            for (const auto& [itemId, item] : items) {
                SCOPED_TRACE(itemId);
                SetChecks(startChecked ? +[](int) { return true; } : +[](int) { return false; });
                EnableWindow(GetDlgItem(main(), item.control), !disabled);
                const std::map<int, bool> before = CheckStates(main());
                calls_->takePostedCommands();

                ActOnFileListMenuChoice(main(), itemId);
                ASSERT_TRUE(calls_->drain());

                std::map<int, bool> expected = before;
                if (item.kind == Kind::Toggle) expected[item.control] = !before.at(item.control);
                if (item.kind == Kind::Select)
                    for (int radio : {1035, 1031, 1036, 1037, 1129}) expected[radio] = radio == item.control;
                EXPECT_EQ(CheckStates(main()), expected);
                const std::vector<PostedCommand> posted = calls_->takePostedCommands();
                ASSERT_EQ(posted.size(), 1u);
                EXPECT_EQ(posted[0].wParam, static_cast<WPARAM>(item.control)) << "id in the low word, code 0";
                EXPECT_EQ(posted[0].lParam, 0);
                EnableWindow(GetDlgItem(main(), item.control), TRUE);
            }
        }
    }
    // A dismissed menu (0) and ids that the menu does not have do nothing.
    const std::map<int, bool> before = CheckStates(main());
    for (int itemId : {0, -1, 56, 1000}) ActOnFileListMenuChoice(main(), itemId);
    ASSERT_TRUE(calls_->drain());
    EXPECT_TRUE(calls_->takePostedCommands().empty());
    EXPECT_EQ(CheckStates(main()), before);
}

HWND WaitForShownMenu(DWORD milliseconds = 5000) {
    for (DWORD waited = 0; waited < milliseconds; waited += 10) {
        HWND menu = FindWindowW(L"#32768", nullptr);
        if (menu && IsWindowVisible(menu)) return menu;
        Sleep(10);
    }
    return nullptr;
}

bool WaitForMenuGone(DWORD milliseconds = 5000) {
    for (DWORD waited = 0; waited < milliseconds; waited += 10) {
        HWND menu = FindWindowW(L"#32768", nullptr);
        if (!menu || !IsWindowVisible(menu)) return true;
        Sleep(10);
    }
    return false;
}

// The menu as a right click opens it, on the window's own thread; the event
// is set once the window has acted on what was chosen (and posted its command).
HANDLE OpenMenuOnItsThread(WindowThreadCalls& calls, WPARAM from, LPARAM at) {
    HANDLE ended = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HWND main = calls.window();
    calls.post([=] {
        SendMessageW(main, WM_CONTEXTMENU, from, at);
        SetEvent(ended);
    });
    return ended;
}

// The menu is gone and the window has taken the choice, whatever it was; then
// every command it posted meanwhile has been taken from its queue.
std::vector<PostedCommand> CommandsOnceAnswered(WindowThreadCalls& calls, HANDLE ended) {
    const bool answered = WaitForSingleObject(ended, 5000) == WAIT_OBJECT_0;
    CloseHandle(ended);
    EXPECT_TRUE(answered) << "the menu never returned";
    EXPECT_TRUE(calls.drain());
    return calls.takePostedCommands();
}

TEST_F(ContextMenuTest, TheRealMenuOpensAtThePointerAndDismissingItChangesNothing) {
    RealInputScene scene;
    ASSERT_TRUE(scene.ready()) << "a key or button stays held";
    ASSERT_TRUE(BringToFront(main()));
    const POINT pointer{600, 500};
    ASSERT_TRUE(PutPointer(pointer));
    const std::map<int, bool> before = CheckStates(main());
    calls_->takePostedCommands();

    // Asked for with the keyboard on the file list: the menu still opens at the pointer.
    HANDLE ended = OpenMenuOnItsThread(*calls_, reinterpret_cast<WPARAM>(harness_->control(IDC_FILE_LIST)),
                                       MAKELPARAM(-1, -1));
    HWND shown = WaitForShownMenu();
    ASSERT_NE(shown, nullptr);
    RECT placed{};
    GetWindowRect(shown, &placed);
    EXPECT_NEAR(placed.left, pointer.x, 2) << "its left edge at the pointer";
    EXPECT_NEAR(placed.bottom, pointer.y, 2) << "its bottom edge at the pointer";
    PostMessageW(shown, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(CommandsOnceAnswered(*calls_, ended).empty());
    EXPECT_TRUE(WaitForMenuGone());
    EXPECT_EQ(CheckStates(main()), before);

    // Chosen with the keyboard: the eighth entry, "Always On Top".
    ended = OpenMenuOnItsThread(*calls_, reinterpret_cast<WPARAM>(main()), MAKELPARAM(pointer.x, pointer.y));
    shown = WaitForShownMenu();
    ASSERT_NE(shown, nullptr);
    for (int step = 0; step < 8; ++step) PostMessageW(shown, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(shown, WM_KEYDOWN, VK_RETURN, 0);
    const std::vector<PostedCommand> posted = CommandsOnceAnswered(*calls_, ended);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].wParam, static_cast<WPARAM>(IDC_ALWAYS_ON_TOP));
    std::map<int, bool> expected = before;
    expected[IDC_ALWAYS_ON_TOP] = !before.at(IDC_ALWAYS_ON_TOP);
    EXPECT_EQ(CheckStates(main()), expected);
    EXPECT_TRUE(WaitForMenuGone());
}

}  // namespace
}  // namespace qm::testing
