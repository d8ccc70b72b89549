// What the keyboard and the mouse reach in the main window: the "Selected"
// cell after every kind of selection change, Tab, Delete and Ctrl+A in the
// file list, the whole range of "Offset", and the window's smallest size.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "main_window_harness.h"
#include "real_input.h"
#include "resource_ids.h"
#include "window_driving.h"
#include "window_thread_calls.h"

namespace qm::testing {
namespace {

bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds = 5000) {
    for (DWORD waited = 0; waited < milliseconds; waited += 10) {
        if (condition()) return true;
        Sleep(10);
    }
    return condition();
}

int SelectedCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0)); }

// Runs `work` on the window's thread with these keys held down, as the thread
// sees them while it handles a key.
void WithKeysHeld(WindowThreadCalls& calls, std::vector<int> keys, const std::function<void()>& work) {
    calls.call([&] {
        BYTE before[256] = {}, held[256] = {};
        GetKeyboardState(before);
        std::copy(std::begin(before), std::end(before), std::begin(held));
        for (int key : keys) held[key] = 0x80;
        SetKeyboardState(held);
        work();
        SetKeyboardState(before);
    });
}

void PressKey(HWND control, WPARAM key) {
    SendMessageW(control, WM_KEYDOWN, key, 1);
    SendMessageW(control, WM_KEYUP, key, 0xC0000001);
}

class MainWindowWithRows : public ::testing::Test {
protected:
    void SetUp() override {
        // The keys a row's keys are read with are the desktop's: none may be held.
        ASSERT_TRUE(scene_.ready()) << "a key or button stays held";
        ResetRecordsToDefaults();
        harness_ = std::make_unique<MainWindowHarness>();
        ASSERT_NE(w(), nullptr);
        std::vector<std::wstring> paths;
        for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt", L"d.txt"}) {
            paths.push_back(folder_.File(name));
            test::PutFileContent(paths.back(), {'x'});
        }
        SendMessageW(w(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
        ASSERT_EQ(RowCount(list()), 4);
        calls_ = std::make_unique<WindowThreadCalls>(w());
    }
    HWND w() const { return harness_->window(); }
    HWND list() const { return harness_->control(IDC_FILE_LIST); }
    // The cell shows the list's own count once the window has handled what it
    // posted itself (the hook of `calls_` holds posted commands back).
    void ExpectCellShows(int count) {
        EXPECT_EQ(SelectedCount(list()), count);
        ASSERT_TRUE(calls_->drain());
        for (const PostedCommand& posted : calls_->takePostedCommands())
            SendMessageW(w(), WM_COMMAND, posted.wParam, posted.lParam);
        const std::wstring shown = ItemText(w(), IDC_STATUS_SELECTION);
        EXPECT_EQ(std::string(shown.begin(), shown.end()), std::string(" Selected: ") + std::to_string(count));
    }
    POINT RowCentre(int row) const {
        RECT r{};
        r.left = LVIR_BOUNDS;
        SendMessageW(list(), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    RealInputScene scene_;
    test::TemporaryFolder folder_;
    std::unique_ptr<MainWindowHarness> harness_;
    std::unique_ptr<WindowThreadCalls> calls_;
};

// Each step changes the selection in its own way, and changes its count.
TEST_F(MainWindowWithRows, TheSelectedCellFollowsTheSelectionWhateverChangedIt) {
    ExpectCellShows(0);
    SelectRow(list(), 1, true);  // by the program
    ExpectCellShows(1);
    SelectRow(list(), 1, false);
    ExpectCellShows(0);

    // A right click selects its row, and opens the menu, which is dismissed.
    const POINT at = RowCentre(2);
    PostMessageW(list(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
    PostMessageW(list(), WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    for (DWORD waited = 0; waited < 3000; waited += 10) {
        HWND menu = FindWindowW(L"#32768", nullptr);
        if (menu && IsWindowVisible(menu)) {
            PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
            break;
        }
        Sleep(10);
    }
    ExpectCellShows(1);
    EXPECT_TRUE(SendMessageW(list(), LVM_GETITEMSTATE, 2, LVIS_SELECTED) & LVIS_SELECTED);

    // Shift with the arrow keys widens the selection.
    WithKeysHeld(*calls_, {VK_SHIFT}, [&] { PressKey(list(), VK_DOWN); });
    ExpectCellShows(2);
    WithKeysHeld(*calls_, {VK_SHIFT}, [&] { PressKey(list(), VK_UP); PressKey(list(), VK_UP); PressKey(list(), VK_UP); });
    ExpectCellShows(3);

    // A range chosen at once, which a list of virtual rows reports as one notice.
    for (int row = 0; row < 4; ++row) SelectRow(list(), row, row == 0);
    LVITEMW focus{};
    focus.stateMask = focus.state = LVIS_FOCUSED;
    SendMessageW(list(), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&focus));
    SendMessageW(list(), LVM_SETSELECTIONMARK, 0, 0);
    ExpectCellShows(1);
    WithKeysHeld(*calls_, {VK_SHIFT}, [&] { PressKey(list(), VK_END); });
    ExpectCellShows(4);
    // Windows reports such a range in a list of virtual rows by one
    // LVN_ODSTATECHANGED; Wine 8 reports each row, so the test sends that notice.
    SetDlgItemTextW(w(), IDC_STATUS_SELECTION, L" Selected: 0");
    NMLVODSTATECHANGE range{};
    range.hdr = {list(), IDC_FILE_LIST, static_cast<UINT>(LVN_ODSTATECHANGED)};
    range.iTo = 3;
    range.uNewState = LVIS_SELECTED;
    SendMessageW(w(), WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&range));
    ExpectCellShows(4);
}

TEST_F(MainWindowWithRows, DeleteRemovesTheSelectedRowsAndCtrlASelectsThemAll) {
    calls_->call([&] { SetFocus(list()); });
    PressKey(list(), VK_DELETE);
    EXPECT_EQ(RowCount(list()), 4) << "without a selection Delete does nothing";

    SelectRow(list(), 1, true);
    SelectRow(list(), 3, true);
    calls_->call([&] { PressKey(list(), VK_DELETE); });
    ASSERT_EQ(RowCount(list()), 2);
    EXPECT_EQ(ListText(list(), 0, 0), L"a.txt");
    EXPECT_EQ(ListText(list(), 1, 0), L"c.txt");
    EXPECT_EQ(ItemText(w(), IDC_STATUS_COUNT), L" Files: 2");
    ExpectCellShows(0);

    calls_->call([&] { PressKey(list(), 'A'); });
    EXPECT_EQ(SelectedCount(list()), 0) << "A alone selects nothing";
    WithKeysHeld(*calls_, {VK_CONTROL}, [&] { PressKey(list(), 'A'); });
    ExpectCellShows(2);
    EXPECT_EQ(folder_.Names().size(), 4u) << "rows go, files stay";
}

// Every control that takes input is a tab stop, and Tab moves into the file
// list and the "Offset" box from the controls before them.
TEST(MainWindowKeyboard, TabReachesEveryControlThatTakesInput) {
    RealInputScene scene;  // a Shift held would send Tab backwards
    ASSERT_TRUE(scene.ready()) << "a key or button stays held";
    ResetRecordsToDefaults();
    MainWindowHarness harness;
    HWND w = harness.window();
    ASSERT_NE(w, nullptr);
    for (int box : {IDC_FILE_NAMES, IDC_EXTENSIONS, IDC_DATE, IDC_ATTRIBUTES, IDC_KEEP_NAME}) {
        Check(w, box, true);
        Command(w, box);
    }
    std::set<HWND> reached;
    HWND first = GetNextDlgTabItem(w, nullptr, FALSE);
    for (HWND at = first; at && reached.insert(at).second;) at = GetNextDlgTabItem(w, at, FALSE);
    for (HWND child = GetWindow(w, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[64] = {};
        GetClassNameW(child, name, 64);
        const std::wstring kind = name;
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        const bool button = kind == L"Button" && (style & BS_TYPEMASK) != BS_GROUPBOX;
        const bool editable = kind == L"Edit" && !(style & ES_READONLY);
        const bool takesInput = button || editable || kind == L"ComboBox" || kind == L"SysListView32" ||
                                kind == L"SysDateTimePick32";
        if (!takesInput) continue;
        // Tab enters a group of radios at one of them; the arrows move within it.
        HWND member = child;
        if ((style & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
            while (!reached.count(member) && !(GetWindowLongW(member, GWL_STYLE) & WS_GROUP))
                member = GetWindow(member, GW_HWNDPREV);
        EXPECT_TRUE(reached.count(member)) << "control " << GetDlgCtrlID(child) << " cannot be reached";
    }
    // The arrows go round the five stamps, not on into the "Name" group after them.
    EXPECT_EQ(GetNextDlgGroupItem(w, harness.control(IDC_STAMP_TAKEN), FALSE), harness.control(IDC_STAMP_UNIX));

    WindowThreadCalls calls(w);
    struct Step {
        HWND from;
        int to;
    } steps[] = {{harness.control(IDC_EXT_LOWERCASE), IDC_FILE_LIST},
                 {GetWindow(harness.control(IDC_SUFFIX_BOX), GW_CHILD), IDC_OFFSET_EDIT}};  // its edit field
    for (const Step& step : steps) {
        SCOPED_TRACE(step.to);
        ASSERT_NE(step.from, nullptr);
        calls.call([&] { SetFocus(step.from); });
        PostMessageW(step.from, WM_KEYDOWN, VK_TAB, 1);
        PostMessageW(step.from, WM_KEYUP, VK_TAB, 0xC0000001);
        HWND focused = nullptr;
        EXPECT_TRUE(WaitFor([&] {
            calls.call([&] { focused = GetFocus(); });
            return focused == harness.control(step.to);
        })) << "focus on " << GetDlgCtrlID(focused);
    }
}

// The value typed into "Offset" is the one that is shown, used and stored,
// up to five digits; its arrows wrap at the ends of that range.
TEST(MainWindowOffset, TakesFiveDigitsShowsUsesAndStoresThem) {
    test::TemporaryFolder folder;
    const std::wstring file = folder.File(L"settings.ini");
    for (const wchar_t* typed : {L"0", L"32767", L"40000", L"99999"}) {
        SCOPED_TRACE(std::string(typed, typed + lstrlenW(typed)));
        ResetRecordsToDefaults();
        {
            MainWindowHarness harness(file);
            HWND w = harness.window();
            ASSERT_NE(w, nullptr);
            int low = -1, high = -1;
            SendDlgItemMessageW(w, IDC_OFFSET_UPDOWN, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                                reinterpret_cast<LPARAM>(&high));
            EXPECT_EQ(low, 0);
            EXPECT_EQ(high, 99999);
            for (int box : {IDC_PREFIX, IDC_SUFFIX}) Check(w, box, false);
            Check(w, IDC_FILE_NAMES, true);
            SendDlgItemMessageW(w, IDC_ZEROS_UPDOWN, UDM_SETPOS, 0, 1);
            HWND edit = harness.control(IDC_OFFSET_EDIT);
            SetWindowTextW(edit, L"");
            for (const wchar_t* c = typed; *c; ++c) SendMessageW(edit, WM_CHAR, *c, 1);
            EXPECT_EQ(ItemText(w, IDC_OFFSET_EDIT), typed);
            Command(w, 15000);
            EXPECT_EQ(ItemText(w, IDC_STATUS_MESSAGE).substr(0, lstrlenW(typed) + 1), std::wstring(L" ") + typed)
                << "the preview numbers from it";

            // All five digits are on screen: the field is wide enough.
            RECT field{};
            SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&field));
            EXPECT_GE(field.right - field.left, TextWidth(edit, L"99999"));
            EXPECT_TRUE(harness.close());
        }
        EXPECT_EQ(Settings().Offset, _wtoi(typed));
        ResetRecordsToDefaults();
        MainWindowHarness again(file);
        ASSERT_NE(again.window(), nullptr);
        EXPECT_EQ(ItemText(again.window(), IDC_OFFSET_EDIT), typed) << "the same value after a restart";
    }

    ResetRecordsToDefaults();
    MainWindowHarness harness(file);
    HWND w = harness.window();
    ASSERT_NE(w, nullptr);
    WindowThreadCalls calls(w);
    HWND edit = harness.control(IDC_OFFSET_EDIT);
    calls.call([&] { PressKey(edit, VK_UP); });  // from 99999, stored above
    EXPECT_EQ(ItemText(w, IDC_OFFSET_EDIT), L"0");
    calls.call([&] { PressKey(edit, VK_DOWN); });
    EXPECT_EQ(ItemText(w, IDC_OFFSET_EDIT), L"99999");
}

// The window opens whole on the screen, here at 96 dpi on 1366 x 768 and as ctest's screen.144dpi
// at 144 dpi on 1920 x 1080. However small it is then made, it keeps everything above the lists
// whole, and the status row below them.
TEST(MainWindowSize, OpensWholeOnTheScreenAndShrinkingStopsWhereNothingIsCutAway) {
    const char* screen = std::getenv("QUILLMOTH_WINE_DESKTOP");  // each run names its screen
    ASSERT_EQ(std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" + std::to_string(GetSystemMetrics(SM_CYSCREEN)),
              screen ? screen : "1366x768");
    ResetRecordsToDefaults();
    MainWindowHarness harness;
    HWND w = harness.window();
    ASSERT_NE(w, nullptr);
    RECT opened{}, work{}, both{};
    GetWindowRect(w, &opened);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_TRUE(UnionRect(&both, &opened, &work) && EqualRect(&both, &work)) << opened.right - opened.left << " wide";
    for (SIZE asked : {SIZE{0, 0}, SIZE{60, 60}, SIZE{400, 900}, SIZE{1600, 100}}) {  // as opened, then resized
        SCOPED_TRACE(asked.cx);
        if (asked.cx) SetWindowPos(w, nullptr, 0, 0, asked.cx, asked.cy, SWP_NOMOVE | SWP_NOZORDER);
        RECT client{};
        GetClientRect(w, &client);
        for (HWND child = GetWindow(w, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            const int id = GetDlgCtrlID(child);
            if (!IsWindowVisible(child)) continue;
            RECT r{};
            GetWindowRect(child, &r);
            MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&r), 2);
            if (id == IDC_PREFIX_BOX || id == IDC_SUFFIX_BOX || id == IDC_FIND_BOX || id == IDC_REPLACE_BOX) r.bottom = r.top + 10;  // the dropped list
            EXPECT_LE(r.right, client.right) << "control " << id;
            EXPECT_LE(r.bottom, client.bottom) << "control " << id;
        }
        RECT files{};
        GetWindowRect(harness.control(IDC_FILE_LIST), &files);
        EXPECT_GT(files.bottom - files.top, 40) << "room for the header and a few rows";
        EXPECT_GT(files.right - files.left, 0);
    }
}

}  // namespace
}  // namespace qm::testing
