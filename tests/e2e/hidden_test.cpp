// While the window is hidden to the tray the program idles: no capture, no hotkeys.
#include <gtest/gtest.h>

#include <string>

#include "harness.h"
#include "mainwindow/tray_icon.h"

namespace {

using namespace e2e;

const char kSentinel[] = "before the copy";
// The sampler looks for the window every 70 ms while it is hidden: shown again, the readout
// follows at once, not after some long idle pause. The bound leaves room for a busy machine.
constexpr ULONGLONG kPromptMs = 500;

bool InfoShows(const Program& program, const char* hex) {
    return WaitFor([&] { return program.InfoText().find(hex) != std::string::npos; }, 5000, 5);
}

void Restore(const Program& program) {
    PostMessageA(program.window(), tintora::kTrayNotifyMessage, 0, WM_RBUTTONDOWN);
    PostMessageA(program.window(), tintora::kTrayNotifyMessage, 0, WM_LBUTTONUP);
}

TEST(Hidden, NothingIsCapturedCopiedOrStoredUntilRestored) {
    ColorWindow fixture(kFixture, RGB(0x11, 0x22, 0x33));
    Sandbox sandbox;
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    MoveCursor(kX, kY);
    ASSERT_TRUE(InfoShows(program, "0x332211"));
    ASSERT_TRUE(WaitFor([&] { return sandbox.ReadIni().find("memo1=16777215") != std::string::npos; }));

    PostMessageA(program.window(), WM_COMMAND, 2, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(program.window()); }));
    fixture.SetColor(RGB(0x44, 0x55, 0x66));
    PutClipboardText(kSentinel);
    SendKeys({VK_CONTROL, VK_MENU, 'C'});
    SendKeys({VK_CONTROL, VK_MENU, '1'});
    EXPECT_NE(program.InfoText().find("0x332211"), std::string::npos) << program.InfoText();

    // The restore is queued after the keys: once the window shows, they were taken while hidden.
    Restore(program);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(program.window()) != FALSE; }));
    const ULONGLONG shown = GetTickCount64();
    EXPECT_TRUE(InfoShows(program, "0x665544"));
    EXPECT_LE(GetTickCount64() - shown, kPromptMs);
    EXPECT_EQ(ClipboardText(CF_TEXT), kSentinel);
    // A memo stored now is saved in a pass that would also have saved the first one.
    SendKeys({VK_CONTROL, VK_MENU, '2'});
    ASSERT_TRUE(WaitFor([&] { return sandbox.ReadIni().find("memo2=6706500") != std::string::npos; }));
    EXPECT_NE(sandbox.ReadIni().find("memo1=16777215"), std::string::npos);
    SendKeys({VK_CONTROL, VK_MENU, 'C'});
    EXPECT_TRUE(WaitFor([&] { return ClipboardText(CF_TEXT) == "445566"; }, 5000, 50));
}

}  // namespace
