// The main window as a person first meets it: where it is, what it shows, how it ends.
#include <gtest/gtest.h>

#include "button_pictures.h"
#include "harness.h"

namespace {

using namespace e2e;

constexpr int kNarrowWidth = 224;
constexpr int kHeight = 122;

TEST(MainWindow, StartsWithoutSettingsAsASmallTopmostCaptionlessWindow) {
    Sandbox sandbox;
    Program program(sandbox);
    const HWND window = program.window();
    ASSERT_NE(window, nullptr);

    const RECT r = WindowRect(window);
    EXPECT_EQ(r.right - r.left, kNarrowWidth);
    EXPECT_EQ(r.bottom - r.top, kHeight);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_BORDER);  // a thin border, no caption bar
    EXPECT_EQ(style & WS_SYSMENU, 0);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(WindowText(window).rfind("Tintora 1.6 - ", 0), 0u) << WindowText(window);
}

// The 32-bit entries must run the shipped x86 program, not quietly its twin: the system itself
// says whether the started process is a 32-bit one (under WoW64) or a native x86_64 one.
TEST(MainWindow, RunsAsTheBuildItsEntryNames) {
    Sandbox sandbox;
    Program program(sandbox);
    BOOL underWow64 = FALSE;
    ASSERT_TRUE(IsWow64Process(program.process(), &underWow64));
    EXPECT_EQ(underWow64 != FALSE, TestsShippedBuild());
}

TEST(MainWindow, HoldsEveryControlOfItsTemplate) {
    Sandbox sandbox;
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);

    const struct {
        int id;
        const char* text;
    } controls[] = {
        {102, ""}, {101, nullptr}, {104, ""}, {106, nullptr}, {2, nullptr}, {108, nullptr}, {107, nullptr},
        {103, nullptr}, {200, " 1 "}, {201, " 2 "}, {202, " 3 "}, {203, " 4 "}, {204, " 5 "}, {205, " 6 "},
    };
    for (const auto& c : controls) {
        const HWND control = program.control(c.id);
        ASSERT_NE(control, nullptr) << c.id;
        EXPECT_STRCASEEQ(ClassName(control).c_str(), "Static") << c.id;
        EXPECT_TRUE(IsWindowVisible(control)) << c.id;
        if (c.text) {
            EXPECT_EQ(WindowText(control), c.text) << c.id;
        }
    }
    int count = 0;
    EnumChildWindows(program.window(), [](HWND, LPARAM n) { ++*reinterpret_cast<int*>(n); return TRUE; },
                     reinterpret_cast<LPARAM>(&count));
    EXPECT_EQ(count, 15);  // the fourteen above, the separator line and nothing else
}

TEST(MainWindow, ImageButtonsShowTheirPicturesPixelForPixel) {
    Sandbox sandbox;
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    MoveCursor(900, 900);  // the pointer out of the way
    Sleep(200);
    for (const auto& picture : tintora::kButtonPictures) {
        const RECT r = WindowRect(program.control(picture.control));
        ASSERT_EQ(r.right - r.left, 13) << picture.control;
        ASSERT_EQ(r.bottom - r.top, 13) << picture.control;
        const COLORREF paper = ScreenPixel(r.left + 1, r.top + 1);  // white in the picture
        EXPECT_NE(paper, RGB(0, 0, 0));
        std::string seen;
        for (int y = 0; y < 13; ++y) {
            for (int x = 0; x < 13; ++x) {
                const COLORREF pixel = ScreenPixel(r.left + x, r.top + y);
                seen += pixel == RGB(0, 0, 0) ? '#' : pixel == paper ? '.' : '?';
            }
            EXPECT_EQ(seen, picture.rows[y]) << "button " << picture.control << " row " << y;
            seen.clear();
        }
    }
}

TEST(MainWindow, ExitButtonEndsTheProcessWithCodeZero) {
    Sandbox sandbox;
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);

    const POINT exit = Centre(program.control(IDC_EXIT));
    LeftClick(exit.x, exit.y);
    DWORD code = 1;
    ASSERT_TRUE(program.WaitForExit(5000, &code));
    EXPECT_EQ(code, 0u);
}

TEST(MainWindow, ClosingAndEscDoNotEndTheProgram) {
    Sandbox sandbox;
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);

    PostMessageA(program.window(), WM_CLOSE, 0, 0);
    SetForegroundWindow(program.window());
    SendKeys({VK_ESCAPE});
    EXPECT_FALSE(program.WaitForExit(500));
}

}  // namespace
