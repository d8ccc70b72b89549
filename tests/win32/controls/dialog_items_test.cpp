#include "win32/controls/dialog_items.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace qm::win32 {
namespace {

constexpr int IdCount = 12;

HWND MakeWindow(HWND parent, int id) {
    const DWORD style = parent ? WS_CHILD : WS_OVERLAPPEDWINDOW;
    return CreateWindowExW(0, L"STATIC", L"", style, 0, 0, 50, 20, parent,
                           parent ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

// Random changes to two parents' children (made, destroyed, given another
// id, moved to the other parent), each id unique among a parent's children;
// after each, every id is looked up both ways.
TEST(DialogItems, AnswerAsTheSystemDoesWhateverBecomesOfTheControls) {
    std::mt19937 random(20261210);
    HWND parents[2] = {MakeWindow(nullptr, 0), MakeWindow(nullptr, 0)};
    ASSERT_TRUE(parents[0] && parents[1]);
    int mismatches = 0, found = 0;
    for (int step = 0; step < 600; ++step) {
        HWND parent = parents[random() % 2];
        const int id = 1 + static_cast<int>(random() % IdCount);
        HWND item = GetDlgItem(parent, id);
        const int free = 1 + static_cast<int>(random() % IdCount);
        switch (random() % 4) {
        case 0:
            if (!item) MakeWindow(parent, id);
            break;
        case 1:
            if (item) DestroyWindow(item);
            break;
        case 2:
            if (item && !GetDlgItem(parent, free)) SetWindowLongPtrW(item, GWLP_ID, free);
            break;
        default: {
            HWND other = parents[0] == parent ? parents[1] : parents[0];
            if (item && !GetDlgItem(other, id)) SetParent(item, other);
        }
        }
        for (HWND p : parents)
            for (int look = 0; look <= IdCount + 1; ++look) {
                HWND answer = DialogItem(p, look);
                if (answer != GetDlgItem(p, look)) ++mismatches;
                if (answer) ++found;
            }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(found, 600);  // the controls were there to be found

    // A parent gone: its controls are not found through a handle made since.
    DestroyWindow(parents[0]);
    HWND next = MakeWindow(nullptr, 0);
    for (int look = 1; look <= IdCount; ++look) EXPECT_EQ(DialogItem(next, look), GetDlgItem(next, look)) << look;
    DestroyWindow(next);
    DestroyWindow(parents[1]);
}

TEST(DialogItems, TextsGoThroughAndAMissingControlLeavesAnEmptyText) {
    HWND parent = MakeWindow(nullptr, 0);
    ASSERT_TRUE(MakeWindow(parent, 7));
    EXPECT_TRUE(SetDialogItemText(parent, 7, L"Quill"));
    wchar_t text[16] = L"left over";
    EXPECT_EQ(GetDialogItemText(parent, 7, text, 16), 5u);
    EXPECT_EQ(std::wstring(text), L"Quill");
    wcscpy_s(text, L"left over");
    EXPECT_EQ(GetDialogItemText(parent, 8, text, 16), 0u);
    EXPECT_EQ(std::wstring(text), L"");
    EXPECT_FALSE(SetDialogItemText(parent, 8, L"none"));
    DestroyWindow(parent);
}

}  // namespace
}  // namespace qm::win32
