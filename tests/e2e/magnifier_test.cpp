// The magnifier panel: how it opens and closes, what it remembers, and what it shows; the keys
// and the wheel that size what it outlines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"
#include "program_files.h"
#include "resources/resource_ids.h"
#include "ui_helpers.h"

namespace {

using namespace e2e;

constexpr int kNarrowWidth = 224;
constexpr int kWideWidth = 328;
constexpr int kHeight = 122;
constexpr int kCrosshairMargin = 20;
// Away from the tray window's corner and from the pattern.
constexpr char kPlacement[] = "x=300\r\ny=300\r\n";
constexpr RECT kPatternRect{600, 400, 900, 700};
constexpr POINT kCursor{750, 550};

std::string Ini(const std::string& lines) { return "[options]\r\n" + std::string(kPlacement) + lines; }

SIZE WindowSize(HWND window) {
    const RECT r = WindowRect(window);
    return {r.right - r.left, r.bottom - r.top};
}

bool Topmost(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// The view's pixel at (x, y) of its client area.
COLORREF ViewPixel(HWND view, int x, int y) {
    const POINT origin = ClientOrigin(view);
    return ScreenPixel(origin.x + x, origin.y + y);
}

TEST(Magnifier, SavedOnOpensWideWithTheViewRunning) {
    Sandbox sandbox(Ini("zoom=1\r\n"));
    PatternWindow pattern(kPatternRect);
    MoveCursor(kCursor.x, kCursor.y);
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);

    EXPECT_EQ(WindowSize(program.window()).cx, kWideWidth);
    EXPECT_EQ(WindowSize(program.window()).cy, kHeight);
    EXPECT_TRUE(Topmost(program.window()));
    const HWND view = program.control(IDC_ZOOM_VIEW);
    RECT client;
    GetClientRect(view, &client);
    // A point off both crosshair arms, a few source pixels from the cursor.
    const int x = client.right / 4, y = client.bottom / 4;
    EXPECT_TRUE(WaitFor([&] { return GetBValue(ViewPixel(view, x, y)) == 0x80; }))
        << std::hex << ViewPixel(view, x, y);
}

TEST(Magnifier, AnyNonZeroSavedStateIsKeptAsOne) {
    Sandbox sandbox(Ini("zoom=5\r\n"));
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    EXPECT_EQ(WindowSize(program.window()).cx, kWideWidth);
    EXPECT_EQ(IniValue(sandbox.ReadIni(), "zoom"), std::string("1"));
}

TEST(Magnifier, ButtonTogglesTheWidthStaysTopmostAndSaves) {
    Sandbox sandbox(Ini("zoom=1\r\n"));
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);

    const struct {
        int width;
        const char* saved;
    } steps[] = {{kNarrowWidth, "0"}, {kWideWidth, "1"}, {kNarrowWidth, "0"}};
    for (const auto& step : steps) {
        ClickControl(program.control(IDC_ZOOM));
        EXPECT_TRUE(WaitFor([&] { return WindowSize(program.window()).cx == step.width; })) << step.width;
        EXPECT_EQ(WindowSize(program.window()).cy, kHeight);
        EXPECT_TRUE(Topmost(program.window()));
        EXPECT_TRUE(WaitFor([&] { return IniValue(sandbox.ReadIni(), "zoom") == step.saved; })) << step.saved;
        WaitPastDoubleClick();
    }
}

TEST(Magnifier, ViewKeepsFollowingTheCursorAfterTheOptionsDialog) {
    Sandbox sandbox(Ini("zoom=1\r\nzoomrate=2\r\nzoomupdate=200\r\n"));
    PatternWindow pattern(kPatternRect);
    MoveCursor(kCursor.x, kCursor.y);
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    const HWND view = program.control(IDC_ZOOM_VIEW);
    RECT client;
    GetClientRect(view, &client);
    // The view's top-left pixel shows the source's top-left pixel.
    auto showsAround = [&](POINT cursor) {
        return ViewPixel(view, 0, 0) ==
               PatternWindow::ColorAt(cursor.x - client.right / 2 / 2, cursor.y - client.bottom / 2 / 2);
    };
    ASSERT_TRUE(WaitFor([&] { return showsAround(kCursor); }));

    for (const int button : {IDCANCEL, IDOK}) {
        ClickControl(program.control(IDC_OPTIONS));
        HWND dialog = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (dialog = FindOwnedDialog(program.window())) != nullptr; }));
        ASSERT_TRUE(WaitFor([&] { return TakesInput(dialog); }));
        ClickControl(GetDlgItem(dialog, button));
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
        const POINT moved{kCursor.x + (button == IDOK ? 30 : -30), kCursor.y + 20};
        MoveCursor(moved.x, moved.y);
        EXPECT_TRUE(WaitFor([&] { return showsAround(moved); })) << button;
        WaitPastDoubleClick();
    }
}

// Where the view's pixel (x, y) comes from, for a source of sourceWidth x sourceHeight pixels
// at (left, top) spread over the view.
struct Enlargement {
    int left, top, sourceWidth, sourceHeight, viewWidth, viewHeight;
    // The view column (or row) in the middle of source column (row) k: clear of rounding at the
    // borders between enlarged pixels.
    int ViewX(int k) const { return (2 * k + 1) * viewWidth / (2 * sourceWidth); }
    int ViewY(int k) const { return (2 * k + 1) * viewHeight / (2 * sourceHeight); }
};

TEST(Magnifier, ViewShowsTheDesktopEnlargedAroundTheSampledPoint) {
    const struct {
        const char* settings;
        int rate, shiftX, shiftY, side;
    } cases[] = {
        {"zoomrate=4\r\n", 4, 0, 0, 1},
        {"zoomrate=3\r\nuseshift=1\r\nshiftx=-40\r\nshifty=25\r\n", 3, -40, 25, 1},
        {"zoomrate=5\r\nuseshift=0\r\nshiftx=60\r\nshifty=60\r\n", 5, 0, 0, 1},  // shift kept but off
        {"zoomrate=4\r\naverage=5\r\n", 4, 0, 0, 5},
    };
    PatternWindow pattern(kPatternRect);
    for (const auto& c : cases) {
        Sandbox sandbox(Ini(std::string("zoom=1\r\n") + c.settings));
        MoveCursor(kCursor.x, kCursor.y);
        Program program(sandbox);
        ASSERT_NE(program.window(), nullptr);
        const HWND view = program.control(IDC_ZOOM_VIEW);
        RECT client;
        GetClientRect(view, &client);
        const int w = client.right, h = client.bottom;
        const int sw = w / c.rate, sh = h / c.rate;
        const Enlargement e{kCursor.x + c.shiftX - sw / 2, kCursor.y + c.shiftY - sh / 2, sw, sh, w, h};
        SCOPED_TRACE(testing::Message() << c.settings << " view " << w << "x" << h);

        // Every other source pixel of each row and column, off the crosshair.
        auto matches = [&] {
            for (int j = 0; j < sh; j += 2) {
                for (int k = 0; k < sw; k += 2) {
                    const int x = e.ViewX(k), y = e.ViewY(j);
                    if (x == w / 2 || y == h / 2) continue;
                    if (ViewPixel(view, x, y) != PatternWindow::ColorAt(e.left + k, e.top + j)) return false;
                }
            }
            return true;
        };
        EXPECT_TRUE(WaitFor(matches));
        const int rowMiddle = e.ViewY(sh / 3), columnMiddle = e.ViewX(sw / 3);
        EXPECT_EQ(ViewPixel(view, e.ViewX(1), rowMiddle), PatternWindow::ColorAt(e.left + 1, e.top + sh / 3));

        // The black crosshair ends 20 pixels short of each edge.
        struct ViewPoint {
            int x, y;
            bool black;
        };
        std::vector<ViewPoint> points = {
            {w / 2, kCrosshairMargin, true},          {w / 2, kCrosshairMargin - 1, false},
            {w / 2, h - kCrosshairMargin - 1, true},  {w / 2, h - kCrosshairMargin, false},
            {kCrosshairMargin, h / 2, true},          {kCrosshairMargin - 1, h / 2, false},
            {w - kCrosshairMargin - 1, h / 2, true},  {w - kCrosshairMargin, h / 2, false},
            {w / 2, h / 2, true},                     {columnMiddle, h / 2 + 1, false},
        };
        // An averaged square's frame, in the crosshair's pen, on the outermost view pixels of the
        // source pixels side / 2 each way from the sampled one.
        const int left = (sw / 2 - c.side / 2) * w / sw, right = (sw / 2 + c.side / 2 + 1) * w / sw - 1;
        const int top = (sh / 2 - c.side / 2) * h / sh, bottom = (sh / 2 + c.side / 2 + 1) * h / sh - 1;
        if (c.side > 1) {
            points.insert(points.end(), {{left, top + 1, true},       {right, bottom - 1, true},
                                         {left + 1, top, true},       {right - 1, bottom, true},
                                         {left - 1, top + 1, false},  {right + 1, bottom - 1, false},
                                         {left + 1, top + 1, false},  {right - 1, bottom + 1, false}});
        }
        for (const auto& p : points) {
            EXPECT_EQ(ViewPixel(view, p.x, p.y) == RGB(0, 0, 0), p.black) << p.x << "," << p.y;
        }
    }
}

// Typed as the X server brings a person's keys and buttons to Wine, to the window activated at
// start-up. It types through Linux programs, after which this process cannot copy: it runs last,
// and no test here copies.
TEST(Magnifier, TypedBracketsAndCtrlWheelStepTheAveragedSquare) {
    Sandbox sandbox(Ini(""));
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    auto type = [](const std::string& xdotoolArguments) { RunUnix("xdotool " + xdotoolArguments); };
    auto averageBecomes = [&](const char* value) {
        return WaitFor([&] { return IniValue(sandbox.ReadIni(), "average") == value; });
    };
    // A person sees which window is active before typing: wait (about five seconds at most)
    // until the X server's keyboard goes to the picker, or with onPicker false, to another one.
    auto waitForKeyboard = [](bool onPicker) {
        RunUnix(std::string("for i in $(seq 50); do xdotool getwindowfocus getwindowname 2>/dev/null | grep -q "
                            "'^Tintora' ") + (onPicker ? "&&" : "||") + " break; sleep 0.1; done");
    };
    MoveCursor(kX, kY);
    ASSERT_TRUE(ReadoutAt(program.window(), kX, kY));
    waitForKeyboard(true);
    type("key --delay 100 bracketright bracketright bracketright bracketright bracketleft");
    EXPECT_TRUE(averageBecomes("7"));

    // Activated again after another window, it takes the keys once more.
    ColorWindow other(kFixture, RGB(40, 80, 120));
    SetForegroundWindow(other.window());
    ASSERT_TRUE(WaitFor([&] { return TakesInput(other.window()); }));
    waitForKeyboard(false);
    SetForegroundWindow(program.window());
    waitForKeyboard(true);
    type("key bracketright");
    EXPECT_TRUE(averageBecomes("9"));

    // With Ctrl one step of the square per notch, down to 1 at most; without it the rate.
    const POINT middle = Centre(program.window());
    MoveCursor(middle.x, middle.y);
    type("keydown ctrl click --repeat 5 --delay 100 5 keyup ctrl");
    EXPECT_TRUE(averageBecomes("1"));
    type("click 4");
    EXPECT_TRUE(WaitFor([&] { return IniValue(sandbox.ReadIni(), "zoomrate") == "5"; }));
    EXPECT_EQ(IniValue(sandbox.ReadIni(), "average"), std::string("1"));
}

}  // namespace
