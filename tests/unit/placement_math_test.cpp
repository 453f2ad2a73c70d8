#include "mainwindow/placement_math.h"

#include <gtest/gtest.h>

#include <climits>

namespace tintora {
namespace {

TEST(PlacementMath, SavedPositionIsKeptInsideTheWorkArea) {
    const struct {
        const char* what;
        std::int32_t position, extent, low, high, expected;
    } cases[] = {
        {"at the near edge stays", 0, 122, 0, 1024, 0},
        {"one before the near edge", -1, 122, 0, 1024, 0},
        {"far before the near edge", -1200, 224, 0, 1280, 0},
        {"near edge not at zero", 10, 100, 50, 1000, 50},
        {"inside stays", 300, 224, 0, 1280, 300},
        {"ending on the far edge stays", 1056, 224, 0, 1280, 1056},
        {"one past the far edge", 1057, 224, 0, 1280, 1056},
        {"longer than the span ends on the far edge", 0, 1100, 0, 1024, -76},
        {"longer than the span, saved inside", 500, 1100, 0, 1024, -76},
        {"largest value does not wrap past the edge", INT_MAX, 224, 0, 1280, 1056},
        {"smallest value", INT_MIN, 224, 0, 1280, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClampIntoSpan(c.position, c.extent, c.low, c.high), c.expected) << c.what;
    }
}

TEST(PlacementMath, DraggedWindowSnapsToNearEdgesOnly) {
    const Box work{100, 50, 1100, 850};  // not at the origin, so a sign slip shows
    const struct {
        const char* what;
        Box dragged, expected;
    } cases[] = {
        {"left 5 inside", {105, 300, 305, 400}, {100, 300, 300, 400}},
        {"left 5 outside", {95, 300, 295, 400}, {100, 300, 300, 400}},
        {"left 6 inside", {106, 300, 306, 400}, {106, 300, 306, 400}},
        {"left 6 outside", {94, 300, 294, 400}, {94, 300, 294, 400}},
        {"right 5 inside", {895, 300, 1095, 400}, {900, 300, 1100, 400}},
        {"right 5 outside", {905, 300, 1105, 400}, {900, 300, 1100, 400}},
        {"right 6 inside", {894, 300, 1094, 400}, {894, 300, 1094, 400}},
        {"right 6 outside", {906, 300, 1106, 400}, {906, 300, 1106, 400}},
        {"top 5 inside", {400, 55, 600, 155}, {400, 50, 600, 150}},
        {"top 5 outside", {400, 45, 600, 145}, {400, 50, 600, 150}},
        {"top 6 inside", {400, 56, 600, 156}, {400, 56, 600, 156}},
        {"top 6 outside", {400, 44, 600, 144}, {400, 44, 600, 144}},
        {"bottom 5 inside", {400, 745, 600, 845}, {400, 750, 600, 850}},
        {"bottom 5 outside", {400, 755, 600, 855}, {400, 750, 600, 850}},
        {"bottom 6 inside", {400, 744, 600, 844}, {400, 744, 600, 844}},
        {"bottom 6 outside", {400, 756, 600, 856}, {400, 756, 600, 856}},
        {"corner snaps both axes", {103, 752, 303, 852}, {100, 750, 300, 850}},
        {"nearly as wide as the work area ends right-aligned", {102, 300, 1099, 400}, {103, 300, 1100, 400}},
        {"nearly as tall ends bottom-aligned", {400, 52, 600, 847}, {400, 55, 600, 850}},
        {"exact fit stays", work, work},
    };
    for (const auto& c : cases) {
        Box r = c.dragged;
        SnapToEdges(r, work, 5);
        EXPECT_EQ(r.left, c.expected.left) << c.what;
        EXPECT_EQ(r.top, c.expected.top) << c.what;
        EXPECT_EQ(r.right, c.expected.right) << c.what;
        EXPECT_EQ(r.bottom, c.expected.bottom) << c.what;
    }
}

TEST(PlacementMath, FarAwayRectangleIsNotPulledByAWrappedDistance) {
    Box r{INT_MIN + 2, 300, INT_MIN + 202, 400};  // left - work.left wraps to a small number in 32 bits
    SnapToEdges(r, {INT_MAX - 1, 0, INT_MAX, 1024}, 5);
    EXPECT_EQ(r.left, INT_MIN + 2);
    EXPECT_EQ(r.right, INT_MIN + 202);
}

}  // namespace
}  // namespace tintora
