#include "magnifier/zoom_math.h"

#include <gtest/gtest.h>

namespace tintora {
namespace {

TEST(ZoomMath, SourceIsRateTimesSmallerAndCentredOnThePoint) {
    const struct {
        const char* what;
        std::int32_t x, y, viewWidth, viewHeight, rate;
        ZoomSource expected;
    } cases[] = {
        {"rate dividing the view", 500, 300, 100, 100, 4, {488, 288, 25, 25}},
        {"rate not dividing the view", 500, 300, 100, 100, 3, {484, 284, 33, 33}},
        {"wider than tall", 500, 300, 130, 100, 4, {484, 288, 32, 25}},
        {"largest rate", 10, 10, 100, 100, 16, {7, 7, 6, 6}},
        {"near the screen origin goes negative", 0, 0, 100, 100, 2, {-25, -25, 50, 50}},
        {"rate larger than the view", 50, 50, 10, 10, 16, {50, 50, 0, 0}},
        {"no rate paints nothing instead of dividing by zero", 50, 60, 100, 100, 0, {50, 60, 0, 0}},
    };
    for (const auto& c : cases) {
        const ZoomSource s = ZoomSourceAround(c.x, c.y, c.viewWidth, c.viewHeight, c.rate);
        EXPECT_EQ(s.x, c.expected.x) << c.what;
        EXPECT_EQ(s.y, c.expected.y) << c.what;
        EXPECT_EQ(s.width, c.expected.width) << c.what;
        EXPECT_EQ(s.height, c.expected.height) << c.what;
    }
}

}  // namespace
}  // namespace tintora
