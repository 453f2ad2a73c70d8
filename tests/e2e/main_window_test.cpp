// The main window as a person first meets it: where it is, what it shows, how it ends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// The controls themselves are checked in the built template; here, that the live window shows
// every one of them, the memo swatches with their numbers.
TEST(MainWindow, ShowsEveryControlAndTheMemoNumbers) {
    Sandbox sandbox;
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    std::vector<HWND> children;
    EnumChildWindows(program.window(), [](HWND child, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&children));
    ASSERT_FALSE(children.empty());
    for (const HWND child : children) EXPECT_TRUE(IsWindowVisible(child)) << GetDlgCtrlID(child);
    for (int slot = 1; slot <= 6; ++slot) {
        EXPECT_EQ(WindowText(program.control(199 + slot)), " " + std::to_string(slot) + " ") << slot;
    }
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
