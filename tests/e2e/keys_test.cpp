// Keys typed on the keyboard, as the X server brings them to Wine, reach the main window however
// it was activated; the bracket keys and Ctrl + the wheel size the averaged square. Typing goes
// through Linux programs, after which this process cannot copy: no test here copies.
#include <gtest/gtest.h>

#include <string>

#include "harness.h"
#include "program_files.h"
#include "ui_helpers.h"

namespace {

using namespace e2e;

// Keys and buttons as a person's keyboard and mouse give them to the X server.
void Type(const std::string& xdotoolArguments) { RunUnix("xdotool " + xdotoolArguments); }

// Waits (at most about five seconds) until the X server's keyboard goes to the picker's window,
// or, with held false, to another one, as a person sees which window is active before typing.
void WaitForKeyboardOnPicker(bool held) {
    RunUnix(std::string("for i in $(seq 50); do xdotool getwindowfocus getwindowname 2>/dev/null | grep -q '^Tintora' ") +
            (held ? "&&" : "||") + " break; sleep 0.1; done");
}

TEST(Keys, TypedOnTheKeyboardTheBracketsAndCtrlWheelStepTheAverage) {
    Sandbox sandbox("[options]\r\nx=300\r\ny=300\r\n");
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    auto averageBecomes = [&](const char* value) {
        return WaitFor([&] { return IniValue(sandbox.ReadIni(), "average") == value; });
    };
    // Activated at start-up, the window takes what is typed once it is ready to be used.
    MoveCursor(kX, kY);
    ASSERT_TRUE(ReadoutAt(program.window(), kX, kY));
    WaitForKeyboardOnPicker(true);
    Type("key bracketright");
    EXPECT_TRUE(averageBecomes("3"));

    // A key typed while another window is active is that window's; activated again, the
    // picker takes the keys once more.
    ColorWindow fixture(kFixture, RGB(40, 80, 120));
    SetForegroundWindow(fixture.window());
    ASSERT_TRUE(WaitFor([&] { return TakesInput(fixture.window()); }));
    WaitForKeyboardOnPicker(false);
    Type("key bracketleft");
    SetForegroundWindow(program.window());
    ASSERT_TRUE(WaitFor([&] { return TakesInput(program.window()); }));
    WaitForKeyboardOnPicker(true);
    Type("key --delay 100 bracketright bracketright bracketright bracketleft");
    EXPECT_TRUE(averageBecomes("7"));

    // The wheel over the window: with Ctrl one step of the square per notch, down to 1 at most;
    // without it the rate.
    const POINT middle = Centre(program.window());
    MoveCursor(middle.x, middle.y);
    Type("keydown ctrl click --repeat 4 --delay 100 5 keyup ctrl");
    EXPECT_TRUE(averageBecomes("1"));
    Type("click 4");
    EXPECT_TRUE(WaitFor([&] { return IniValue(sandbox.ReadIni(), "zoomrate") == "5"; }));
    EXPECT_EQ(IniValue(sandbox.ReadIni(), "average"), std::string("1"));
}

}  // namespace
