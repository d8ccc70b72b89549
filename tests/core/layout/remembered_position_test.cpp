// Whether a window goes back to the point where it was last closed.
#include <gtest/gtest.h>

#include <climits>

#include "core/layout/remembered_position.h"

namespace qm {
namespace {

struct FitCase {
    const char* name;
    PointRecord point;
    std::int32_t width, height;
    bool fits;
};

TEST(RememberedPosition, AWindowReturnsOnlyWhenItLiesWhollyInsideTheDesktop) {
    const RectRecord desktop{0, 0, 1280, 900};
    const FitCase cases[] = {
        {"default x of -1", {-1, 0}, 300, 200, false},
        {"top-left corner", {0, 0}, 300, 200, true},
        {"inside", {100, 120}, 300, 200, true},
        {"touching the right and bottom edges", {980, 700}, 300, 200, true},
        {"one pixel over the right edge", {981, 700}, 300, 200, false},
        {"one pixel over the bottom edge", {980, 701}, 300, 200, false},
        {"above the top", {10, -1}, 300, 200, false},
        {"wider than the desktop", {0, 0}, 1281, 200, false},
        {"far right, sum past the 32-bit range", {INT_MAX - 10, 0}, 300, 200, false},
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FitsInside(c.point, c.width, c.height, desktop), c.fits);
    }
}

TEST(RememberedPosition, ADesktopThatDoesNotStartAtZeroIsTakenAsItIs) {
    const RectRecord desktop{-1920, -200, 1280, 900};  // a second screen on the left
    EXPECT_TRUE(FitsInside({-1900, -100}, 300, 200, desktop));
    EXPECT_TRUE(FitsInside({-1, 0}, 300, 200, desktop));
    EXPECT_FALSE(FitsInside({-1921, 0}, 300, 200, desktop));
}

}  // namespace
}  // namespace qm
