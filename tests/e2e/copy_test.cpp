// The copy hotkey puts the colour under the cursor on the clipboard as template text.
#include <gtest/gtest.h>

#include <string>

#include "harness.h"

namespace {

using namespace e2e;

constexpr COLORREF kColor = RGB(255, 128, 10);
const char kSentinel[] = "before the copy";
constexpr int kWaitMs = 5000;

void PressCopyKey() { SendKeys({VK_CONTROL, VK_MENU, 'C'}); }

bool ClipboardBecomes(const std::string& text) {
    // Polled gently: each look opens the clipboard, which the program needs too.
    return WaitFor([&] { return ClipboardText(CF_TEXT) == text; }, kWaitMs, 50);
}

// A started program with the cursor resting on the fixture and its readout showing.
bool ReadyOverFixture(const Program& program) {
    if (!program.window()) return false;
    MoveCursor(kX, kY);
    return WaitFor([&] { return program.InfoText().rfind("Pixel at 700:600", 0) == 0; });
}

TEST(Copy, HotkeyCopiesThroughEachTemplate) {
    const struct {
        const char* format;
        const char* text;
    } cases[] = {
        {nullptr, "FF800A"},
        {"RGB", "FF800A"},
        {"#RGB", "#FF800A"},
        {"0x00BGR", "0x000A80FF"},
        {"(r,g,b)", "(255,128,10)"},
        {"rgb(r, g, b)", "25512810(255, 128, 10)"},
    };
    ColorWindow fixture(kFixture, kColor);
    for (const auto& c : cases) {
        Sandbox sandbox(c.format ? std::string("[options]\r\nformat=") + c.format + "\r\n" : "");
        Program program(sandbox);
        ASSERT_TRUE(ReadyOverFixture(program));
        PutClipboardText(kSentinel);
        PressCopyKey();
        EXPECT_TRUE(ClipboardBecomes(c.text)) << (c.format ? c.format : "(default)") << " / "
                                              << ClipboardText(CF_TEXT);
        EXPECT_EQ(ClipboardText(CF_UNICODETEXT), c.text);
    }
}

TEST(Copy, EmptyTemplateEmptiesTheClipboard) {
    ColorWindow fixture(kFixture, kColor);
    Sandbox sandbox("[options]\r\nformat=\r\n");
    Program program(sandbox);
    ASSERT_TRUE(ReadyOverFixture(program));
    PutClipboardText(kSentinel);
    PressCopyKey();
    EXPECT_TRUE(ClipboardBecomes(""));
    bool hasText = false;
    EXPECT_EQ(ClipboardText(CF_TEXT, &hasText), "");
    EXPECT_TRUE(hasText);
}

TEST(Copy, BytesAboveAsciiArriveAsTheSameCharacter) {
    ColorWindow fixture(kFixture, kColor);
    Sandbox sandbox("[options]\r\nformat=\xE9 R \xA7\r\n");  // e acute and section sign in code page 1252
    Program program(sandbox);
    ASSERT_TRUE(ReadyOverFixture(program));
    PutClipboardText(kSentinel);
    PressCopyKey();
    EXPECT_TRUE(ClipboardBecomes("\xE9 FF \xA7"));
    EXPECT_EQ(ClipboardText(CF_UNICODETEXT), "\xC3\xA9 FF \xC2\xA7");
}

TEST(Copy, LongTemplateCopiesItsWholeExpansion) {
    ColorWindow fixture(kFixture, kColor);
    Sandbox sandbox("[options]\r\nformat=" + std::string(255, 'r') + "\r\n");
    Program program(sandbox);
    ASSERT_TRUE(ReadyOverFixture(program));
    PutClipboardText(kSentinel);
    PressCopyKey();
    std::string expected;
    for (int i = 0; i < 255; ++i) expected += "255";
    EXPECT_TRUE(ClipboardBecomes(expected)) << ClipboardText(CF_TEXT).size();
}

TEST(Copy, HotkeyHeldByAnotherProgramIsReportedAndStaysInert) {
    ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, 'C'));
    ColorWindow fixture(kFixture, kColor);
    Sandbox sandbox;
    Program program(sandbox, false);
    HWND message = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (message = FindWindowA(nullptr, "Error!")) != nullptr; }, 10000));
    char text[64] = "";
    GetDlgItemTextA(message, 0xFFFF, text, sizeof text);  // the message box's text control
    EXPECT_STREQ(text, "Can't register hotkey       ");
    PostMessageA(message, WM_COMMAND, IDOK, 0);
    HWND window = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (window = FindMainWindow(program.pid())) != nullptr; }, 10000));
    UnregisterHotKey(nullptr, 1);  // free again: the program must still not have it

    MoveCursor(kX, kY);
    PutClipboardText(kSentinel);
    PressCopyKey();
    Sleep(300);
    EXPECT_EQ(ClipboardText(CF_TEXT), kSentinel);
}

TEST(Copy, ClipboardHeldByAnotherProgramLeavesItAndTheNextCopyWorks) {
    ColorWindow fixture(kFixture, kColor);
    Sandbox sandbox;
    Program program(sandbox);
    ASSERT_TRUE(ReadyOverFixture(program));
    PutClipboardText(kSentinel);

    ASSERT_TRUE(OpenClipboard(fixture.window()));
    PressCopyKey();
    // A memo key pressed after it is taken after it: once its colour is saved, the copy has been
    // tried while the clipboard was held.
    SendKeys({VK_CONTROL, VK_MENU, '1'});
    EXPECT_TRUE(WaitFor([&] { return sandbox.ReadIni().find("memo1=" + std::to_string(kColor)) != std::string::npos; }));
    DWORD_PTR result = 0;
    EXPECT_TRUE(SendMessageTimeoutA(program.window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result));
    CloseClipboard();
    EXPECT_EQ(ClipboardText(CF_TEXT), kSentinel);

    PressCopyKey();
    EXPECT_TRUE(ClipboardBecomes("FF800A"));
}

}  // namespace
