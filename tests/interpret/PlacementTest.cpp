// Where the interpretation window goes as the caret moves, and where it starts.
#include "interpret/InterpreterPlacement.h"

#include <gtest/gtest.h>

namespace {

const ScreenRect kWorkArea{0, 0, 1600, 1000};
const ScreenRect kWindow{0, 0, 300, 150};

TEST(PlacementTest, BelowTheCaretLineOrAboveNearTheBottom) {
    const ScreenPoint below = interpreterPlace({100, 200}, kWindow, 16, kWorkArea);
    EXPECT_EQ(below.x, 100);
    EXPECT_EQ(below.y, 216);
    // 834 + 150 reaches 1000 - 16: above, with the 4-pixel gap.
    const ScreenPoint above = interpreterPlace({100, 834}, kWindow, 16, kWorkArea);
    EXPECT_EQ(above.y, 834 - 150 - 4);
    const ScreenPoint justBelow = interpreterPlace({100, 833}, kWindow, 16, kWorkArea);
    EXPECT_EQ(justBelow.y, 849);
    EXPECT_LE(justBelow.y + kWindow.height, kWorkArea.bottom());
}

TEST(PlacementTest, TheRightEdgeAndAParkedCaretKeepItOnScreen) {
    EXPECT_EQ(interpreterPlace({1400, 100}, kWindow, 16, kWorkArea).x, 1300);
    EXPECT_EQ(interpreterPlace({1299, 100}, kWindow, 16, kWorkArea).x, 1299);
    // The caret parked at 32767, 32767 (hidden under the address column).
    const ScreenPoint parked = interpreterPlace({32767 + 20, 32767 + 80}, kWindow, 16, kWorkArea);
    EXPECT_EQ(parked.x, 1300);
    EXPECT_EQ(parked.y, 850);
    // A caret left of and above a second screen's work area.
    const ScreenRect second{1600, 0, 1280, 1024};
    const ScreenPoint left = interpreterPlace({-50, -40}, kWindow, 16, second);
    EXPECT_EQ(left.x, 1600);
    EXPECT_EQ(left.y, 0);
}

TEST(PlacementTest, FirstPlaceInTheFreeAreaThenTheClientArea) {
    const InitialPlace free =
        interpreterInitialPlace(kWindow, {10, 80, 800, 500}, {0, 0, 820, 600});
    ASSERT_TRUE(free.found);
    EXPECT_EQ(free.at.x, 510);
    EXPECT_EQ(free.at.y, 430);
    const InitialPlace client =
        interpreterInitialPlace(kWindow, {10, 80, 200, 500}, {0, 0, 820, 600});
    ASSERT_TRUE(client.found);
    EXPECT_EQ(client.at.x, 520);
    EXPECT_EQ(client.at.y, 450);
    EXPECT_FALSE(interpreterInitialPlace(kWindow, {0, 0, 100, 100}, {0, 0, 200, 100}).found);
}

}  // namespace
