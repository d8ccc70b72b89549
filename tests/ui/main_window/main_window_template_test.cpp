// Dialog template 1000, the main window: every control with its id, class, caption,
// rectangle and style, in template order, as designed; then the same controls alive.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_template_reader.h"
#include "resource_ids.h"

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kPush = BS_PUSHBUTTON | BS_CENTER | WS_TABSTOP;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kRadio = BS_AUTORADIOBUTTON | WS_TABSTOP;
constexpr DWORD kCombo = CBS_DROPDOWN | CBS_AUTOHSCROLL | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kUpDown = UDS_WRAP | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
constexpr DWORD kList = LVS_REPORT | LVS_SHOWSELALWAYS | LVS_ALIGNLEFT;
constexpr int kNone = -1;

struct Expected {
    int id;
    const wchar_t* className;
    const wchar_t* caption;  // nullptr: the icon static, whose caption is icon 101
    int x, y, cx, cy;
    DWORD style;  // without WS_CHILD | WS_VISIBLE, which every control has
    DWORD exStyle = 0;
};

// The main window's controls in template order (= tab and z order). The groups
// that the default settings leave off start disabled, and the counters hold the
// default numbers, as the window opens. A few check
// boxes and radios are a unit or three wider than first drawn, so that their
// captions fit (captions_fit_test.cpp).
std::vector<Expected> ExpectedControls() {
    std::vector<Expected> c = {
        {1001, L"BUTTON", L"Start", 5, 75, 100, 12, kPush},
        {1002, L"BUTTON", L"Clear", 105, 75, 48, 12, kPush},
        {1003, L"BUTTON", L"^", 153, 75, 22, 12, kPush},
        {1004, L"BUTTON", L"Add", 175, 75, 25, 12, kPush},
        {1128, L"BUTTON", L"Add Folder", 200, 75, 55, 12, kPush},
        {1005, L"BUTTON", L"<", 260, 75, 15, 12, kPush},
        {1006, L"BUTTON", L">", 275, 75, 15, 12, kPush},
        {1007, L"BUTTON", L"?", 295, 75, 15, 12, kPush},
        {1014, L"BUTTON", L"S", 310, 75, 15, 12, kPush},
        {1008, L"BUTTON", L"Always On Top", 345, 75, 62, 10, kCheck},
        {1034, L"BUTTON", L"Transparent", 415, 75, 52, 10, kCheck},
        {kNone, L"STATIC", L"Preset Buttons 1-15", 505, 89, 70, 10, SS_LEFT},
        {1080, L"BUTTON", L"1", 505, 75, 15, 12, kPush},
    };
    static const wchar_t* const kNumbers[] = {L"2", L"3", L"4", L"5", L"6", L"7", L"8",
                                              L"9", L"10", L"11", L"12", L"13", L"14", L"15"};
    for (int step = 0; step < 14; ++step) c.push_back({1086 + step, L"BUTTON", kNumbers[step], 520 + 15 * step, 75, 15, 12, kPush});
    std::vector<Expected> rest = {
        {kNone, L"BUTTON", L"Main Control", 5, 5, 60, 65, BS_GROUPBOX},
        {1009, L"BUTTON", L"File Names", 10, 15, 50, 10, kCheck},
        {1010, L"BUTTON", L"Extensions", 10, 25, 50, 10, kCheck},
        {1011, L"BUTTON", L"Date", 10, 35, 50, 10, kCheck},
        {1013, L"BUTTON", L"Attributes", 10, 45, 50, 10, kCheck},
        {kNone, L"BUTTON", L"Rename Options", 70, 5, 330, 65, BS_GROUPBOX},
        {1050, L"STATIC", L"", 0, 0, 0, 0, SS_LEFT},
        {1015, L"COMBOBOX", L"", 75, 15, 100, 200, kCombo},
        {1038, L"STATIC", L"", 0, 0, 0, 0, SS_LEFT},
        {1016, L"COMBOBOX", L"", 180, 15, 100, 200, kCombo},
        {1017, L"EDIT", L"4", 285, 15, 25, 13, ES_RIGHT | ES_AUTOHSCROLL | ES_READONLY | ES_NUMBER, WS_EX_CLIENTEDGE},
        {1018, L"msctls_updown32", L"", 300, 15, 11, 13, kUpDown},
        {1019, L"EDIT", L"1", 315, 15, 39, 13, ES_RIGHT | ES_AUTOHSCROLL | ES_NUMBER | WS_TABSTOP, WS_EX_CLIENTEDGE},
        {1020, L"msctls_updown32", L"", 340, 15, 11, 13, kUpDown},
        {1140, L"EDIT", L"1", 315, 39, 39, 13, ES_RIGHT | ES_AUTOHSCROLL | ES_NUMBER | WS_TABSTOP, WS_EX_CLIENTEDGE},
        {1141, L"msctls_updown32", L"", 340, 39, 11, 13, kUpDown},
        {1021, L"BUTTON", L"Prefix", 75, 30, 30, 9, kCheck},
        {1022, L"BUTTON", L"Auto", 75, 39, 26, 9, kCheck},
        {1144, L"BUTTON", L"Folder", 75, 48, 35, 9, kCheck},
        {1023, L"BUTTON", L"Uppercase", 125, 30, 50, 9, kCheck},
        {1024, L"BUTTON", L"Lowercase", 125, 39, 50, 9, kCheck},
        {1025, L"BUTTON", L"Spacer", 125, 48, 35, 9, kCheck},
        {1026, L"BUTTON", L"Suffix", 180, 30, 30, 9, kCheck},
        {1027, L"BUTTON", L"Auto", 180, 39, 26, 9, kCheck},
        {1145, L"BUTTON", L"Folder", 180, 48, 35, 9, kCheck},
        {1028, L"BUTTON", L"Uppercase", 230, 30, 50, 9, kCheck},
        {1029, L"BUTTON", L"Lowercase", 230, 39, 50, 9, kCheck},
        {1030, L"BUTTON", L"Spacer", 230, 48, 35, 9, kCheck},
        {1120, L"BUTTON", L"Keep Name", 75, 57, 50, 9, kCheck},
        {1032, L"STATIC", L"Zeros", 285, 30, 25, 9, SS_CENTER | SS_CENTERIMAGE},
        {1100, L"STATIC", L"Offset", 315, 30, 35, 9, SS_CENTER | SS_CENTERIMAGE},
        {1142, L"STATIC", L"Step", 315, 54, 35, 9, SS_CENTER | SS_CENTERIMAGE},
        {1121, L"BUTTON", L"No Number", 180, 57, 50, 9, kCheck},
        {1143, L"BUTTON", L"Per Folder", 230, 57, 50, 9, kCheck},
        {1033, L"STATIC", nullptr, 288, 42, 21, 15, SS_ICON | SS_NOTIFY | SS_REALSIZEIMAGE},
        {1035, L"BUTTON", L"Unix", 360, 15, 26, 10, kRadio | WS_GROUP},
        {1031, L"BUTTON", L"Win32", 360, 25, 35, 10, kRadio},
        {1036, L"BUTTON", L"Current", 360, 35, 36, 10, kRadio},
        {1037, L"BUTTON", L"Preset", 360, 45, 35, 10, kRadio},
        {1129, L"BUTTON", L"Taken", 360, 55, 35, 10, kRadio},
        {kNone, L"BUTTON", L"Name", 405, 5, 115, 65, BS_GROUPBOX | WS_GROUP},
        {1126, L"STATIC", L"Find", 410, 15, 28, 10, SS_LEFT | WS_DISABLED},
        {1122, L"COMBOBOX", L"", 443, 13, 72, 200, kCombo | WS_DISABLED},
        {1127, L"STATIC", L"Replace", 410, 29, 28, 10, SS_LEFT | WS_DISABLED},
        {1123, L"COMBOBOX", L"", 443, 27, 72, 200, kCombo | WS_DISABLED},
        {1124, L"BUTTON", L"Regex", 410, 42, 33, 10, kCheck | WS_DISABLED},
        {1125, L"BUTTON", L"Match Case", 410, 56, 51, 10, kCheck | WS_DISABLED},
        {IDC_NAME_CASE, L"COMBOBOX", L"", 443, 41, 72, 100, CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP},
        {IDC_FROM_LIST, L"BUTTON", L"From List", 463, 56, 42, 10, kCheck},
        {IDC_FROM_LIST_PICK, L"BUTTON", L"...", 505, 55, 12, 12, kPush},
        {kNone, L"BUTTON", L"Date", 525, 5, 150, 65, BS_GROUPBOX},
        {1073, L"STATIC", L"", 0, 0, 0, 0, SS_LEFT},
        {1045, L"BUTTON", L"CURRENT", 635, 35, 35, 10, kPush | WS_DISABLED},
        {1047, L"BUTTON", L"Created", 530, 35, 40, 10, kCheck | WS_DISABLED},
        {1048, L"BUTTON", L"Modified", 530, 45, 40, 10, kCheck | WS_DISABLED},
        {1049, L"BUTTON", L"Auto", 635, 55, 30, 10, kCheck | WS_DISABLED},
        {kNone, L"BUTTON", L"Attributes", 680, 5, 55, 65, BS_GROUPBOX},
        {1069, L"BUTTON", L"Read Only", 685, 15, 46, 10, kCheck | WS_DISABLED},
        {1070, L"BUTTON", L"Hidden", 685, 25, 45, 10, kCheck | WS_DISABLED},
        {1071, L"BUTTON", L"System", 685, 35, 45, 10, kCheck | WS_DISABLED},
        {1072, L"BUTTON", L"Archive", 685, 45, 45, 10, kCheck | WS_DISABLED},
        {kNone, L"BUTTON", L"Extensions", 740, 5, 55, 65, BS_GROUPBOX},
        {1074, L"BUTTON", L"+", 750, 15, 15, 12, kPush},
        {1075, L"BUTTON", L"x", 750, 27, 15, 12, kPush},
        {1076, L"BUTTON", L"<", 770, 15, 15, 12, kPush},
        {1077, L"BUTTON", L">", 770, 27, 15, 12, kPush},
        {1078, L"BUTTON", L"Uppercase", 745, 45, 48, 10, kCheck},
        {1079, L"BUTTON", L"Lowercase", 745, 55, 48, 10, kCheck},
        // The file list shows rows kept beside it, so that it stays quick with
        // a hundred thousand of them.
        {1081, L"SysListView32", L"", 0, 102, 695, 301, kList | LVS_OWNERDATA | WS_TABSTOP, WS_EX_CLIENTEDGE},
        {1082, L"SysListView32", L"", 700, 102, 100, 301, kList | WS_TABSTOP, WS_EX_CLIENTEDGE},
        {1083, L"STATIC", L"", 0, 403, 45, 12, SS_LEFTNOWORDWRAP, WS_EX_CLIENTEDGE},
        {1084, L"STATIC", L"", 45, 403, 60, 12, SS_LEFTNOWORDWRAP, WS_EX_CLIENTEDGE},
        {1085, L"STATIC", L"", 105, 403, 695, 12, SS_LEFTNOWORDWRAP, WS_EX_CLIENTEDGE},
        {1108, L"SysDateTimePick32", L"", 530, 15, 140, 15, DTS_UPDOWN | DTS_LONGDATEFORMAT | WS_TABSTOP},
        {1012, L"BUTTON", L"Accessed", 530, 55, 45, 10, kCheck | WS_DISABLED},
        {1130, L"BUTTON", L"Taken", 580, 55, 35, 10, kCheck | WS_DISABLED},
        {1039, L"STATIC", L"set=ctrl+shift+click", 580, 89, 70, 10, SS_LEFT},
        {1040, L"STATIC", L"label=shift+click", 655, 89, 60, 10, SS_LEFT},
    };
    c.insert(c.end(), rest.begin(), rest.end());
    return c;
}

bool SameName(const std::wstring& a, const wchar_t* b) { return lstrcmpiW(a.c_str(), b) == 0; }

std::wstring Describe(const Expected& e) {
    return L"control #" + std::to_wstring(e.id) + L" \"" + (e.caption ? e.caption : L"icon") + L"\"";
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Opens template 1000 with a procedure that does nothing, so the controls are exactly
// what the template and the controls' own classes make of it.
class LiveMainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX classes{};
        classes.dwSize = sizeof(classes);
        classes.dwICC = ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_DATE_CLASSES;
        ASSERT_TRUE(InitCommonControlsEx(&classes));
        dialog_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN), nullptr, PlainDialogProc, 0);
        ASSERT_NE(dialog_, nullptr) << "error " << GetLastError();
    }
    void TearDown() override {
        if (dialog_) DestroyWindow(dialog_);
    }
    // Like the dialog manager: origin and size are converted separately.
    RECT InDialogPixels(int x, int y, int cx, int cy) const {
        RECT r{x, y, cx, cy};
        MapDialogRect(dialog_, &r);
        return RECT{r.left, r.top, r.left + r.right, r.top + r.bottom};
    }
    RECT WindowRectInDialog(HWND control) const {
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(HWND_DESKTOP, dialog_, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    HWND dialog_ = nullptr;
};

TEST(MainWindowTemplate, HoldsTheWindowAndEveryControlAsDesigned) {
    qm::test::DialogTemplate t = qm::test::ReadDialogTemplate(GetModuleHandleW(nullptr), IDD_MAIN);
    ASSERT_TRUE(t.valid);
    EXPECT_EQ(t.style, DWORD{WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                             WS_MAXIMIZEBOX | DS_CENTER | DS_SETFONT | DS_3DLOOK});
    EXPECT_EQ(t.exStyle, DWORD{WS_EX_WINDOWEDGE | WS_EX_ACCEPTFILES});
    EXPECT_EQ(t.x, 10);
    EXPECT_EQ(t.y, 10);
    EXPECT_EQ(t.cx, 800);
    EXPECT_EQ(t.cy, 415);
    EXPECT_TRUE(t.menu.text.empty() && t.menu.ordinal == 0) << "no menu";
    EXPECT_TRUE(t.windowClass.text.empty() && t.windowClass.ordinal == 0) << "default dialog class";
    EXPECT_EQ(t.title, L"Quillmoth");
    EXPECT_EQ(t.typeface, L"MS Shell Dlg");
    EXPECT_EQ(t.pointSize, 8);

    std::vector<Expected> expected = ExpectedControls();
    ASSERT_EQ(t.controls.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const Expected& e = expected[i];
        const qm::test::TemplateControl& c = t.controls[i];
        SCOPED_TRACE(testing::Message() << "template item " << i << ", " << testing::PrintToString(Describe(e)));
        EXPECT_EQ(c.id, e.id);
        EXPECT_TRUE(SameName(c.className, e.className)) << testing::PrintToString(c.className);
        if (e.caption) {
            EXPECT_EQ(c.caption.text, e.caption);
            EXPECT_EQ(c.caption.ordinal, 0);
        } else {
            EXPECT_EQ(c.caption.ordinal, IDI_PICTURE);
        }
        EXPECT_EQ(c.x, e.x);
        EXPECT_EQ(c.y, e.y);
        EXPECT_EQ(c.cx, e.cx);
        EXPECT_EQ(c.cy, e.cy);
        EXPECT_EQ(c.style, e.style | kChild) << std::hex << "style 0x" << c.style;
        EXPECT_EQ(c.exStyle, e.exStyle) << std::hex << "extended style 0x" << c.exStyle;
    }
}

TEST_F(LiveMainWindow, CreatesEveryControlInTemplateOrderAtItsPlace) {
    std::vector<Expected> expected = ExpectedControls();
    std::vector<HWND> children;
    for (HWND w = GetWindow(dialog_, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) children.push_back(w);
    ASSERT_EQ(children.size(), expected.size());

    for (size_t i = 0; i < expected.size(); ++i) {
        const Expected& e = expected[i];
        HWND w = children[i];
        SCOPED_TRACE(testing::Message() << "child " << i << ", " << testing::PrintToString(Describe(e)));
        EXPECT_EQ(GetDlgCtrlID(w), e.id);
        wchar_t name[64]{};
        GetClassNameW(w, name, 64);
        EXPECT_TRUE(SameName(name, e.className)) << testing::PrintToString(std::wstring(name));
        EXPECT_TRUE(GetWindowLongW(w, GWL_STYLE) & WS_VISIBLE);
        if (SameName(name, L"SysDateTimePick32")) {
            // its window text is the date it shows
        } else if (e.caption) {
            wchar_t text[64]{};
            GetWindowTextW(w, text, 64);
            EXPECT_STREQ(text, e.caption);
        } else {
            EXPECT_NE(SendMessageW(w, STM_GETICON, 0, 0), 0) << "icon 101 did not load";
        }

        // A drop-down combo box is as tall as its field (the template's height is the
        // dropped list's), an icon static takes the icon's size, and an up-down with an
        // automatic buddy moves onto its edit and narrows it: the last are checked below.
        bool counter = SameName(name, L"msctls_updown32") || e.id == IDC_ZEROS_EDIT || e.id == IDC_OFFSET_EDIT ||
                       e.id == IDC_STEP_EDIT;
        if (counter) continue;
        RECT want = InDialogPixels(e.x, e.y, e.cx, e.cy);
        RECT got = WindowRectInDialog(w);
        EXPECT_EQ(got.left, want.left);
        EXPECT_EQ(got.top, want.top);
        if (e.caption) {
            EXPECT_EQ(got.right, want.right);
        }
        if (e.caption && !SameName(name, L"ComboBox")) {
            EXPECT_EQ(got.bottom, want.bottom);
        }
    }
}

TEST_F(LiveMainWindow, CountersSitOnTheRightOfTheirEditsAndListsSelectSeveralRows) {
    struct Pair { int upDown, edit, x, y, cx, cy; };
    for (Pair p : {Pair{IDC_ZEROS_UPDOWN, IDC_ZEROS_EDIT, 285, 15, 25, 13}, Pair{IDC_OFFSET_UPDOWN, IDC_OFFSET_EDIT, 315, 15, 39, 13},
                   Pair{IDC_STEP_UPDOWN, IDC_STEP_EDIT, 315, 39, 39, 13}}) {
        SCOPED_TRACE(p.upDown);
        HWND upDown = GetDlgItem(dialog_, p.upDown);
        HWND edit = GetDlgItem(dialog_, p.edit);
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(upDown, UDM_GETBUDDY, 0, 0)), edit);
        RECT editTemplate = InDialogPixels(p.x, p.y, p.cx, p.cy);
        RECT arrows = WindowRectInDialog(upDown);
        RECT field = WindowRectInDialog(edit);
        // The arrows end at the edit's right edge, over its 2-pixel sunken border.
        EXPECT_NEAR(arrows.right, editTemplate.right, 2);
        EXPECT_EQ(field.left, editTemplate.left);
        EXPECT_LE(field.right, arrows.left + 2) << "the edit makes room for its arrows";
    }

    for (int id : {IDC_FILE_LIST, IDC_EXT_LIST}) {
        SCOPED_TRACE(id);
        HWND list = GetDlgItem(dialog_, id);
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH;
        column.cx = 80;
        SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
        if (id == IDC_FILE_LIST) {
            SendMessageW(list, LVM_SETITEMCOUNT, 3, 0);  // its rows live beside it
        } else {
            for (int row = 0; row < 3; ++row) {
                wchar_t text[] = L"row";
                LVITEMW item{};
                item.mask = LVIF_TEXT;
                item.iItem = row;
                item.pszText = text;
                ASSERT_EQ(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)), row);
            }
        }
        LVITEMW selected{};
        selected.stateMask = LVIS_SELECTED;
        selected.state = LVIS_SELECTED;
        SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&selected));
        SendMessageW(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&selected));
        EXPECT_EQ(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0), 2);
    }
}

TEST_F(LiveMainWindow, PictureShowsInsideTheRenameOptionsGroup) {
    // The icon static takes its icon's own size, so the icon decides whether it fits.
    HWND picture = GetDlgItem(dialog_, IDC_PICTURE);
    ASSERT_NE(SendMessageW(picture, STM_GETICON, 0, 0), 0);
    RECT shown = WindowRectInDialog(picture);
    RECT group = InDialogPixels(70, 5, 330, 65);  // "Rename Options"
    EXPECT_GT(shown.right - shown.left, 16) << "the picture is drawn at its smallest size";
    EXPECT_LE(shown.bottom, group.bottom - 2) << "the picture runs over the group's frame";
    EXPECT_LE(shown.right, group.right - 2);
}

}  // namespace
