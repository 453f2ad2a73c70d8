// Where the main window appears, where it is remembered, and how it moves under the mouse.
#include <gtest/gtest.h>

#include "harness.h"
#include "resources/resource_ids.h"
#include "ui_helpers.h"

namespace {

using namespace e2e;

constexpr int kWidth = 224;
constexpr int kHeight = 122;

RECT WorkArea() {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

POINT TopLeft(HWND window) {
    const RECT r = WindowRect(window);
    return {r.left, r.top};
}

TEST(Placement, SavedPositionIsRestoredInsideTheWorkArea) {
    const RECT work = WorkArea();
    const struct {
        const char* settings;
        LONG x, y;
    } cases[] = {
        {"x=300\r\ny=200\r\n", 300, 200},
        {"x=-1200\r\ny=300\r\n", work.left, 300},
        {"x=5000\r\ny=300\r\n", work.right - kWidth, 300},
        {"x=300\r\ny=2000\r\n", 300, work.bottom - kHeight},
        {"x=+15\r\ny=12px\r\n", work.left, 12},
        {"x=250\r\ny=--5\r\n", 250, work.top},
        {"x=2147483647\r\ny=-2147483648\r\n", work.right - kWidth, work.top},
        {"", work.left, work.top},
    };
    for (const auto& c : cases) {
        Sandbox sandbox(std::string("[options]\r\n") + c.settings, true);
        Program program(sandbox);
        ASSERT_NE(program.window(), nullptr) << c.settings;
        const POINT p = TopLeft(program.window());
        EXPECT_EQ(p.x, c.x) << c.settings;
        EXPECT_EQ(p.y, c.y) << c.settings;
    }
}

TEST(Placement, ExitButtonSavesThePosition) {
    Sandbox sandbox("[options]\r\nx=345\r\ny=-40\r\n");
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    ClickControl(program.control(IDC_EXIT));
    ASSERT_TRUE(program.WaitForExit(5000));
    const std::string ini = sandbox.ReadIni();
    EXPECT_EQ(IniValue(ini, "x"), std::string("345"));
    EXPECT_EQ(IniValue(ini, "y"), std::to_string(WorkArea().top));
}

TEST(Placement, DragOnTheInfoTextMovesTheWindowAndSnapsNearEdges) {
    const RECT work = WorkArea();
    const LONG right = work.right - kWidth, bottom = work.bottom - kHeight;
    // Each drag carries the window from where the previous one left it to `aim`.
    const struct {
        const char* what;
        POINT aim, expected;
    } drags[] = {
        {"free move", {450, 400}, {450, 400}},
        {"3 px inside the right edge", {right - 3, 400}, {right, 400}},
        {"6 px inside the bottom edge", {500, bottom - 6}, {500, bottom - 6}},
        {"4 px outside the bottom edge", {500, bottom + 4}, {500, bottom}},
        {"6 px outside the right edge", {right + 6, 400}, {right + 6, 400}},
        {"top-right corner, 5 px out and 2 px in", {right + 5, work.top + 2}, {right, work.top}},
    };
    Sandbox sandbox("[options]\r\nx=300\r\ny=300\r\n");
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    const HWND window = program.window();

    for (const auto& d : drags) {
        const POINT before = TopLeft(window);
        const POINT from = Centre(program.control(IDC_INFO));
        Drag(from, {from.x + d.aim.x - before.x, from.y + d.aim.y - before.y});
        EXPECT_TRUE(WaitFor([&] { return TopLeft(window).x == d.expected.x && TopLeft(window).y == d.expected.y; },
                            2000))
            << d.what << ": at " << TopLeft(window).x << "," << TopLeft(window).y;
    }
}

}  // namespace
