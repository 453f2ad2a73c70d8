#include "mainwindow/cursor_step.h"

#include <gtest/gtest.h>

#include <climits>

#include "magnifier/zoom_math.h"

namespace tintora {
namespace {

TEST(KeySteps, CursorStaysOnTheVirtualScreen) {
    const Box screen{-1920, -200, 1280, 1024};  // a monitor left of the main one, reaching higher
    const struct {
        const char* what;
        CursorPoint from;
        std::int32_t dx, dy;
        CursorPoint expected;
    } cases[] = {
        {"one right", {700, 600}, 1, 0, {701, 600}},
        {"ten up", {700, 600}, 0, -10, {700, 590}},
        {"onto the left monitor", {3, 5}, -10, 0, {-7, 5}},
        {"at the left edge", {-1915, 0}, -10, 0, {-1920, 0}},
        {"at the top edge", {0, -195}, 0, -10, {0, -200}},
        {"at the right edge", {1275, 0}, 10, 0, {1279, 0}},
        {"at the bottom edge", {0, 1023}, 0, 1, {0, 1023}},
        {"from off the screen back onto it", {5000, -900}, 1, 0, {1279, -200}},
        {"largest step does not wrap", {INT_MAX, 0}, INT_MAX, 0, {1279, 0}},
    };
    for (const auto& c : cases) {
        const CursorPoint to = StepCursor(c.from, c.dx, c.dy, screen);
        EXPECT_EQ(to.x, c.expected.x) << c.what;
        EXPECT_EQ(to.y, c.expected.y) << c.what;
    }
}

TEST(KeySteps, MagnificationStepsWithinTwoAndSixteen) {
    const struct {
        std::int32_t rate, steps, expected;
    } cases[] = {{4, 1, 5}, {4, -1, 3}, {15, 1, 16}, {16, 1, 16}, {3, -1, 2}, {2, -1, 2}, {2, 3, 5}, {10, -20, 2},
                 {16, INT_MAX, 16}};
    for (const auto& c : cases) {
        EXPECT_EQ(SteppedZoomRate(c.rate, c.steps), c.expected) << c.rate << " " << c.steps;
    }
}

}  // namespace
}  // namespace tintora
