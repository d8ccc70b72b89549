// The resize layout of the main window's lists and status row.
#include <gtest/gtest.h>

#include "core/layout/main_window_layout.h"

namespace qm {
namespace {

// Dialog units at a scale of 1.5 px horizontally and 2 px vertically.
MainLayoutLengths Lengths() {
    MainLayoutLengths l;
    l.listTop = 180;
    l.statusHeight = 24;
    l.rightStrip = 158;
    l.extensionWidth = 150;
    l.countWidth = 68;
    l.messageLeft = 158;
    return l;
}

TEST(MainWindowLayout, ListsFillTheWindowAboveTheStatusRow) {
    const MainWindowLayout layout = ComputeMainWindowLayout(1170, 830, Lengths());
    EXPECT_EQ(layout.fileList.width, 1170 - 158);
    EXPECT_EQ(layout.fileList.height, 830 - 180 - 24);
    EXPECT_EQ(layout.extensionList.x, 1170 - 150);
    EXPECT_EQ(layout.extensionList.y, 180);
    EXPECT_EQ(layout.extensionList.width, 150);
    EXPECT_EQ(layout.extensionList.height, 830 - 180 - 24);
    EXPECT_EQ(layout.statusCount.x, 0);
    EXPECT_EQ(layout.statusCount.y, 830 - 24);
    EXPECT_EQ(layout.statusSelection.x, 68);
    EXPECT_EQ(layout.statusSelection.y, 830 - 24);
    EXPECT_EQ(layout.statusMessage.x, 158);
    EXPECT_EQ(layout.statusMessage.y, 830 - 24);
    EXPECT_EQ(layout.statusMessage.width, 1170 - 158);
    EXPECT_EQ(layout.statusMessage.height, 24);
}

TEST(MainWindowLayout, GrowingTheWindowGrowsOnlyTheListsAndTheMessageCell) {
    const MainWindowLayout small = ComputeMainWindowLayout(800, 600, Lengths());
    const MainWindowLayout large = ComputeMainWindowLayout(900, 700, Lengths());
    EXPECT_EQ(large.fileList.width - small.fileList.width, 100);
    EXPECT_EQ(large.fileList.height - small.fileList.height, 100);
    EXPECT_EQ(large.extensionList.width, small.extensionList.width);
    EXPECT_EQ(large.extensionList.x - small.extensionList.x, 100);
    EXPECT_EQ(large.statusMessage.width - small.statusMessage.width, 100);
    EXPECT_EQ(large.statusCount.y - small.statusCount.y, 100);
}

TEST(MainWindowLayout, ATinyClientAreaGivesZeroSizesNeverNegative) {
    for (int w : {0, 10, 157, 158}) {
        for (int h : {0, 50, 203, 204}) {
            const MainWindowLayout layout = ComputeMainWindowLayout(w, h, Lengths());
            EXPECT_GE(layout.fileList.width, 0);
            EXPECT_GE(layout.fileList.height, 0);
            EXPECT_GE(layout.extensionList.height, 0);
            EXPECT_GE(layout.statusMessage.width, 0);
        }
    }
    const MainWindowLayout zero = ComputeMainWindowLayout(100, 100, Lengths());
    EXPECT_EQ(zero.fileList.width, 0);
    EXPECT_EQ(zero.fileList.height, 0);
    EXPECT_EQ(zero.statusMessage.width, 0);
}

}  // namespace
}  // namespace qm
