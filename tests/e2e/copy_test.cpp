// The copy hotkey puts the colour under the cursor on the clipboard as template text; the
// window's own keys work while it is the active window.
#include <gtest/gtest.h>

#include <string>

#include "harness.h"
#include "ui_helpers.h"

namespace {

using namespace e2e;

constexpr COLORREF kColor = RGB(255, 128, 10);
const char kSentinel[] = "before the copy";

void PressCopyKey() { SendKeys({VK_CONTROL, VK_MENU, 'C'}); }

// A started program with the cursor resting on the fixture and its readout showing.
bool ReadyOverFixture(const Program& program) {
    if (!program.window()) return false;
    MoveCursor(kX, kY);
    return ReadoutAt(program.window(), kX, kY);
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

TEST(Copy, TokensGiveTheColourInEachNotation) {
    const struct {
        COLORREF color;
        const char* format;
        const char* text;
    } cases[] = {
        {RGB(0, 0, 0), "{hex}|{hsl}|{hsv}|{oklch}|{name}",
         "000000|hsl(0, 0%, 0%)|hsv(0, 0%, 0%)|oklch(0.00% 0.0000 0.00)|black"},
        {RGB(0, 0, 255), "{hex}|{hsl}|{hsv}|{oklch}|{name}",
         "0000ff|hsl(240, 100%, 50%)|hsv(240, 100%, 100%)|oklch(45.20% 0.3132 264.05)|blue"},
        {RGB(240, 128, 16), "{hex}|{hsl}|{hsv}|{oklch}|{name}",
         "f08010|hsl(30, 88%, 50%)|hsv(30, 93%, 94%)|oklch(71.17% 0.1710 55.76)|darkorange"},
        {RGB(240, 128, 16), "{r},{HEX},{rgb}", "{240},{HEX},{24012816}"},
    };
    ColorWindow fixture(kFixture, kColor);
    for (const auto& c : cases) {
        fixture.SetColor(c.color);
        Sandbox sandbox(std::string("[options]\r\nformat=") + c.format + "\r\n");
        Program program(sandbox);
        ASSERT_TRUE(ReadyOverFixture(program));
        PutClipboardText(kSentinel);
        PressCopyKey();
        EXPECT_TRUE(ClipboardBecomes(c.text)) << c.text << " / " << ClipboardText(CF_TEXT);
    }
}

// A wheel turn of the given number of notches (negative: towards the user) where the cursor is.
void TurnWheel(int notches) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.mouseData = static_cast<DWORD>(notches * WHEEL_DELTA);
    in.mi.dwFlags = MOUSEEVENTF_WHEEL;
    SendInput(1, &in, sizeof in);
}

TEST(Keys, WhileTheWindowIsActiveMoveTheCursorCopyAndChangeTheMagnification) {
    ColorWindow fixture(kFixture, kColor);
    Sandbox sandbox("[options]\r\nzoomrate=15\r\n");
    Program program(sandbox);
    ASSERT_TRUE(ReadyOverFixture(program));
    SetForegroundWindow(program.window());  // the cursor stays where it is
    ASSERT_TRUE(WaitFor([&] { return TakesInput(program.window()); }));

    const struct {
        std::initializer_list<WORD> keys;
        const char* readout;
    } moves[] = {
        {{VK_RIGHT}, "Pixel at 701:600"}, {{VK_DOWN}, "Pixel at 701:601"}, {{VK_LEFT}, "Pixel at 700:601"},
        {{VK_UP}, "Pixel at 700:600"}, {{VK_SHIFT, VK_RIGHT}, "Pixel at 710:600"}, {{VK_SHIFT, VK_UP}, "Pixel at 710:590"},
    };
    for (const auto& m : moves) {
        SendKeys(m.keys);
        EXPECT_TRUE(WaitFor([&] { return program.InfoText().rfind(m.readout, 0) == 0; })) << m.readout;
    }
    PutClipboardText(kSentinel);
    SendKeys({VK_CONTROL, 'C'});
    EXPECT_TRUE(ClipboardBecomes("FF800A"));

    // Each step is seen in the file; a press at either limit changes nothing, so the step after
    // it lands one away from the limit.
    auto rateBecomes = [&](const char* rate) {
        return WaitFor([&] { return IniValue(sandbox.ReadIni(), "zoomrate") == rate; });
    };
    SendKeys({VK_ADD});
    EXPECT_TRUE(rateBecomes("16"));
    SendKeys({VK_OEM_PLUS});
    SendKeys({VK_SUBTRACT});
    EXPECT_TRUE(rateBecomes("15"));
    for (int i = 0; i < 13; ++i) SendKeys({VK_OEM_MINUS});
    EXPECT_TRUE(rateBecomes("2"));
    SendKeys({VK_SUBTRACT});
    const POINT middle = Centre(program.window());
    MoveCursor(middle.x, middle.y);
    TurnWheel(2);
    EXPECT_TRUE(rateBecomes("4"));
    TurnWheel(-1);
    EXPECT_TRUE(rateBecomes("3"));

    // With another window active an arrow key leaves the cursor; the window's next key, taken
    // after it, shows that it did.
    MoveCursor(kX, kY);
    // Wine tells a busy program of a cursor move only when it next reads its events: a key the
    // picker takes before then would step from where the cursor was.
    ASSERT_TRUE(ReadoutAt(program.window(), kX, kY));
    SetForegroundWindow(fixture.window());
    ASSERT_TRUE(WaitFor([&] { return TakesInput(fixture.window()); }));
    SendKeys({VK_RIGHT});
    SetForegroundWindow(program.window());
    ASSERT_TRUE(WaitFor([&] { return TakesInput(program.window()); }));
    SendKeys({VK_LEFT});
    EXPECT_TRUE(ReadoutAt(program.window(), kX - 1, kY)) << program.InfoText();
}

// The reference starts as memo 1 and follows the memo stored or left-clicked last; a left click
// copies against the reference it finds.
TEST(Copy, ContrastTokenComparesWithTheLastMemoStoredOrClicked) {
    ColorWindow fixture(kFixture, RGB(0, 0, 0));
    Sandbox sandbox("[options]\r\ncontrast=1\r\nformat={contrast}\r\nmemo2=0\r\n");
    Program program(sandbox);
    ASSERT_TRUE(ReadyOverFixture(program));
    auto copies = [&](const char* text) {
        PutClipboardText(kSentinel);
        PressCopyKey();
        return ClipboardBecomes(text);
    };
    EXPECT_TRUE(copies("21.00:1")) << ClipboardText(CF_TEXT);  // black on memo 1's white
    fixture.SetColor(RGB(0x77, 0x77, 0x77));
    ASSERT_TRUE(WaitFor([&] { return program.InfoText().find("#777777") != std::string::npos; }));
    EXPECT_TRUE(copies("4.47:1")) << ClipboardText(CF_TEXT);

    PutClipboardText(kSentinel);
    const RECT memo2 = WindowRect(program.control(201));
    LeftClick(memo2.right - 4, memo2.bottom - 4);  // clear of the caption digit
    EXPECT_TRUE(ClipboardBecomes("21.00:1")) << ClipboardText(CF_TEXT);  // memo 2's black on white
    ASSERT_TRUE(ReadyOverFixture(program));
    EXPECT_TRUE(copies("4.68:1")) << ClipboardText(CF_TEXT);  // grey on memo 2's black
    SendKeys({VK_CONTROL, VK_MENU, '3'});
    EXPECT_TRUE(WaitFor([&] { return sandbox.ReadIni().find("memo3=7829367") != std::string::npos; }));
    EXPECT_TRUE(copies("1.00:1")) << ClipboardText(CF_TEXT);  // grey on memo 3's grey
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
    ASSERT_TRUE(ReadoutAt(window, kX, kY));
    PutClipboardText(kSentinel);
    PressCopyKey();
    // A memo key pressed after it is taken after it: once its colour is saved, the copy key has
    // had its chance.
    SendKeys({VK_CONTROL, VK_MENU, '1'});
    ASSERT_TRUE(WaitFor([&] { return sandbox.ReadIni().find("memo1=" + std::to_string(kColor)) != std::string::npos; }));
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
