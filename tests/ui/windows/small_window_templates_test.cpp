// Dialog templates 8000, 1600, 1700 and 9000: the window and every control
// with its id, class, caption, rectangle and style, in template order.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_template_reader.h"
#include "resource_ids.h"

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kRadio = BS_AUTORADIOBUTTON;
constexpr DWORD kMultiList = LBS_MULTIPLESEL | WS_VSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kBorderedEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kWindow = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_CENTER | DS_SETFONT;
constexpr int kNone = -1;

struct Control {
    int id;
    const wchar_t* className;
    const wchar_t* caption;  // nullptr: the icon static, whose caption is icon 101
    int x, y, cx, cy;
    DWORD style;  // without WS_CHILD | WS_VISIBLE
    DWORD exStyle = 0;
};

struct Template {
    int id;
    const wchar_t* title;
    const wchar_t* typeface;
    int cx, cy;
    std::vector<Control> controls;
};

std::vector<Template> ExpectedTemplates() {
    return {
        {IDD_SETTINGS, L"Settings", L"MS Shell Dlg", 465, 295, {
            {kNone, L"Button", L"Clear Prefix/Suffix Dropdown Lists", 5, 5, 255, 245, BS_GROUPBOX},
            {kNone, L"Static", L"Prefix", 10, 15, 120, 10, SS_CENTER},
            {8001, L"ListBox", L"", 10, 25, 120, 200, kMultiList},
            {8003, L"Button", L"Select All", 10, 230, 40, 12, kPush},
            {8004, L"Button", L"Select None", 50, 230, 45, 12, kPush},
            {8005, L"Button", L"Delete", 95, 230, 35, 12, kPush},
            {kNone, L"Static", L"Suffix", 135, 15, 120, 10, SS_CENTER},
            {8002, L"ListBox", L"", 135, 25, 120, 200, kMultiList},
            {8006, L"Button", L"Select All", 135, 230, 40, 12, kPush},
            {8007, L"Button", L"Select None", 175, 230, 45, 12, kPush},
            {8008, L"Button", L"Delete", 220, 230, 35, 12, kPush},
            {kNone, L"Button", L"Timestamp Format", 265, 5, 195, 60, BS_GROUPBOX},
            {8009, L"Static", L"", 270, 15, 185, 10, SS_CENTER},
            {8010, L"Edit", L"", 270, 25, 185, 15, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE},
            {8011, L"Button", L"Help", 270, 45, 30, 12, kPush},
            {kNone, L"Button", L"Opacity", 265, 70, 195, 30, BS_GROUPBOX},
            {8012, L"msctls_trackbar32", L"", 270, 80, 185, 15, TBS_HORZ | TBS_NOTICKS | TBS_TOOLTIPS | WS_TABSTOP},
            {kNone, L"Button", L"Spacer Character", 265, 105, 195, 55, BS_GROUPBOX},
            {8013, L"Button", L"Underscore", 270, 120, 50, 10, kRadio | WS_GROUP | WS_TABSTOP},
            {8014, L"Button", L"Space", 270, 130, 35, 10, kRadio},
            {8015, L"Button", L"Period", 270, 140, 35, 10, kRadio},
            {8016, L"Button", L"Hyphen", 330, 120, 40, 10, kRadio},
            {8017, L"Button", L"Plus Sign", 330, 130, 45, 10, kRadio},
            {8018, L"Button", L"Equal Sign", 330, 140, 50, 10, kRadio},
            {8019, L"Button", L"Tilde", 390, 120, 30, 10, kRadio},
            {kNone, L"Button", L"Double Click Action", 265, 165, 95, 85, BS_GROUPBOX},
            {8026, L"Button", L"None", 270, 180, 30, 10, kRadio | WS_GROUP | WS_TABSTOP},
            {8022, L"Button", L"Rename", 270, 190, 40, 10, kRadio},
            {8025, L"Button", L"Increment Offset", 280, 200, 66, 10, kCheck},
            {8024, L"Button", L"Copy", 270, 210, 30, 10, kRadio},
            {8027, L"Button", L"To Prefix", 280, 220, 41, 10, kCheck},
            {8023, L"Button", L"To Suffix", 280, 230, 45, 10, kCheck},
            {8030, L"Button", L"Auto Rename After Drag And Drop", 5, 260, 125, 10, kCheck | WS_GROUP},
            {8031, L"Button", L"Use CTRL + Left Click For Preset Buttons", 5, 275, 148, 10, kCheck},
            {8032, L"Button", L"Sort as Explorer does", 160, 260, 90, 10, kCheck},
            {8020, L"Button", L"Save", 390, 275, 30, 12, kPush},
            {8021, L"Button", L"Cancel", 425, 275, 30, 12, kPush},
        }},
        {IDD_ADD_EXTENSIONS, L"Add Extensions", L"MS Shell Dlg", 150, 80, {
            {kNone, L"Static", L"From:", 10, 10, 25, 15, SS_RIGHT},
            {kNone, L"Static", L"To:", 10, 30, 25, 15, SS_RIGHT},
            {1601, L"Edit", L"", 40, 10, 100, 15, kBorderedEdit},
            {1602, L"Edit", L"", 40, 30, 100, 15, kBorderedEdit},
            {1603, L"Button", L"Add", 20, 55, 50, 15, kPush},
            {1604, L"Button", L"Quit", 80, 55, 50, 15, kPush},
        }},
        {IDD_PRESET_LABEL, L"Preset Label", L"MS Sans Serif", 160, 40, {
            {1701, L"Edit", L"", 5, 5, 150, 15, kBorderedEdit},
            {1702, L"Button", L"Save", 70, 25, 40, 12, kPush},
            {1703, L"Button", L"Cancel", 115, 25, 40, 12, kPush},
        }},
        {IDD_ABOUT, L"About", L"MS Shell Dlg", 210, 135, {
            {9003, L"Static", L"", 5, 5, 200, 60, SS_LEFT},
            {9001, L"Static", L"The Quillmoth authors\nMany files, one rename.", 5, 70, 200, 20, SS_CENTER},
            {9002, L"Static", L"Quillmoth help", 70, 95, 70, 10, SS_CENTER},
            {kNone, L"Static", nullptr, 90, 110, 30, 20, SS_ICON | SS_REALSIZEIMAGE},
        }},
    };
}

TEST(SmallWindowTemplates, HoldTheirWindowsAndEveryControlAsDesigned) {
    for (const Template& expected : ExpectedTemplates()) {
        SCOPED_TRACE(testing::Message() << "template " << expected.id);
        const qm::test::DialogTemplate t = qm::test::ReadDialogTemplate(GetModuleHandleW(nullptr), expected.id);
        ASSERT_TRUE(t.valid);
        EXPECT_EQ(t.style, kWindow) << std::hex << t.style;
        EXPECT_EQ(t.exStyle, 0u);
        EXPECT_EQ(t.cx, expected.cx);
        EXPECT_EQ(t.cy, expected.cy);
        EXPECT_EQ(t.title, expected.title);
        EXPECT_EQ(t.typeface, expected.typeface);
        EXPECT_EQ(t.pointSize, 8);
        EXPECT_TRUE(t.menu.text.empty() && t.menu.ordinal == 0);
        ASSERT_EQ(t.controls.size(), expected.controls.size());
        for (size_t i = 0; i < t.controls.size(); ++i) {
            const Control& e = expected.controls[i];
            const qm::test::TemplateControl& c = t.controls[i];
            SCOPED_TRACE(testing::Message() << "item " << i << ", id " << e.id);
            EXPECT_EQ(c.id, e.id);
            EXPECT_EQ(lstrcmpiW(c.className.c_str(), e.className), 0) << testing::PrintToString(c.className);
            if (e.caption) {
                EXPECT_EQ(c.caption.text, e.caption);
            } else {
                EXPECT_EQ(c.caption.ordinal, IDI_PICTURE);
            }
            EXPECT_EQ(c.x, e.x);
            EXPECT_EQ(c.y, e.y);
            EXPECT_EQ(c.cx, e.cx);
            EXPECT_EQ(c.cy, e.cy);
            EXPECT_EQ(c.style, e.style | kChild) << std::hex << c.style;
            EXPECT_EQ(c.exStyle, e.exStyle);
        }
    }
}

}  // namespace
