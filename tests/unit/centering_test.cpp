#include "memos/centering.h"

#include <gtest/gtest.h>

namespace tintora {
namespace {

TEST(Centering, PlacesTheWindowInTheMiddleOrLeavesIt) {
    const struct {
        unsigned width, height, screenWidth, screenHeight;
        bool move;
        int x, y;
    } cases[] = {
        {451, 345, 1920, 1080, true, 734, 367},
        {1920, 1080, 1920, 1080, true, 0, 0},    // exact fit goes to the corner
        {452, 346, 1280, 1024, true, 414, 339},  // halves round down
        {451, 1081, 1920, 1080, false, 0, 0},    // higher than the screen
        {1921, 345, 1920, 1080, false, 0, 0},    // wider than the screen: not moved at all
    };
    for (const auto& c : cases) {
        const Placement p = CenteredPosition(c.width, c.height, c.screenWidth, c.screenHeight);
        EXPECT_EQ(p.move, c.move) << c.width << "x" << c.height;
        if (c.move) {
            EXPECT_EQ(p.x, c.x);
            EXPECT_EQ(p.y, c.y);
        }
    }
}

}  // namespace
}  // namespace tintora
