// The six memo swatches: stored by hotkey, copied, cleared and edited by mouse, kept on disk.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>

#include "harness.h"
#include "resources/resource_ids.h"

namespace {

using namespace e2e;

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0;
const char kSentinel[] = "before the copy";

// A point inside swatch `slot`, clear of its border and caption digits.
POINT SwatchPoint(const Program& program, int slot) {
    const RECT r = WindowRect(program.control(200 + slot));
    return {r.right - 4, r.bottom - 4};
}

bool SwatchShows(const Program& program, int slot, COLORREF color) {
    return WaitFor([&] {
        const POINT p = SwatchPoint(program, slot);
        return ScreenPixel(p.x, p.y) == color;
    });
}

std::string MemoLine(int slot, unsigned long value) {
    return "memo" + std::to_string(slot + 1) + "=" + std::to_string(value) + "\r\n";
}

bool IniHolds(const Sandbox& sandbox, const std::string& line) {
    return WaitFor([&] { return sandbox.ReadIni().find(line) != std::string::npos; });
}

void PressAt(POINT p, DWORD down, DWORD up) {
    MoveCursor(p.x, p.y);
    Sleep(50);
    Press(down, up);
}

TEST(Memos, FirstStartWritesSixWhiteMemosAndPaintsThem) {
    Sandbox sandbox;
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    for (int slot = 0; slot < 6; ++slot) {
        EXPECT_TRUE(IniHolds(sandbox, MemoLine(slot, kWhite))) << slot;
        EXPECT_TRUE(SwatchShows(program, slot, kWhite)) << slot;
    }
    EXPECT_EQ(sandbox.ReadIni().rfind("[options]\r\n", 0), 0u);
}

TEST(Memos, HotkeyStoresTheColourWhichSurvivesARestart) {
    const COLORREF color = RGB(30, 140, 220);
    ColorWindow fixture(kFixture, color);
    Sandbox sandbox;
    {
        Program program(sandbox);
        ASSERT_NE(program.window(), nullptr);
        MoveCursor(kX, kY);
        ASSERT_TRUE(ReadoutAt(program.window(), kX, kY));
        SendKeys({VK_CONTROL, VK_MENU, '3'});
        EXPECT_TRUE(IniHolds(sandbox, MemoLine(2, color))) << sandbox.ReadIni() << program.InfoText();
        EXPECT_TRUE(SwatchShows(program, 2, color));
        EXPECT_TRUE(SwatchShows(program, 1, kWhite));
    }
    Program again(sandbox);
    ASSERT_NE(again.window(), nullptr);
    EXPECT_TRUE(SwatchShows(again, 2, color));
    EXPECT_TRUE(IniHolds(sandbox, MemoLine(2, color)));
}

TEST(Memos, MiddlePressClearsToWhiteAndRewritesTheKeys) {
    Sandbox sandbox("[options]\r\nmemo4=255\r\n");
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    ASSERT_TRUE(SwatchShows(program, 3, RGB(255, 0, 0)));

    PressAt(SwatchPoint(program, 3), MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    EXPECT_TRUE(IniHolds(sandbox, MemoLine(3, kWhite)));
    MoveCursor(kX, kY);
    EXPECT_TRUE(SwatchShows(program, 3, kWhite));

    // Already white: its key is written again all the same, and no other memo's.
    sandbox.WriteIni("[options]\r\nmemo1=1\r\n");
    PressAt(SwatchPoint(program, 0), MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    EXPECT_TRUE(IniHolds(sandbox, MemoLine(0, kWhite)));
    EXPECT_EQ(sandbox.ReadIni(), "[options]\r\n" + MemoLine(0, kWhite));
}

TEST(Memos, LeftPressCopiesAtOnceAndTheCopyKeyRepeatsIt) {
    const struct {
        const char* format;
        const char* text;
    } cases[] = {
        {"RGB", "FFFFFFFF"},
        {"(r,g,b)", "(255,255,65535)"},
    };
    for (const auto& c : cases) {
        Sandbox sandbox(std::string("[options]\r\nmemo2=4294967295\r\nformat=") + c.format + "\r\n");
        Program program(sandbox);
        ASSERT_NE(program.window(), nullptr);
        // The swatches take their brushes a moment after the window shows; the value's high byte
        // makes the system paint this one black.
        ASSERT_TRUE(SwatchShows(program, 0, kWhite));
        ASSERT_TRUE(SwatchShows(program, 1, kBlack));
        // The cursor comes from a white swatch of the program's own: a window of this test under
        // the old point could hand the program that point again after the click.
        const POINT preview = Centre(program.control(IDC_PREVIEW));
        const POINT white = SwatchPoint(program, 0);
        MoveCursor(white.x, white.y);
        ASSERT_TRUE(WaitFor([&] { return ScreenPixel(preview.x, preview.y) == kWhite; }));
        const POINT swatch = SwatchPoint(program, 1);
        MoveCursor(swatch.x, swatch.y);
        // Once the preview shows the swatch, the sampler rests on it and takes no colour that
        // would replace the memo's.
        ASSERT_TRUE(WaitFor([&] {
            return ScreenPixel(preview.x, preview.y) == kBlack &&
                   program.InfoText().rfind("Click Left button", 0) == 0;
        }));
        PutClipboardText(kSentinel);
        Press(MOUSEEVENTF_LEFTDOWN, 0);
        EXPECT_TRUE(WaitFor([&] { return ClipboardText(CF_TEXT) == c.text; }, 5000, 50)) << ClipboardText(CF_TEXT);
        Press(MOUSEEVENTF_LEFTUP, 0);

        PutClipboardText(kSentinel);
        SendKeys({VK_CONTROL, VK_MENU, 'C'});
        EXPECT_TRUE(WaitFor([&] { return ClipboardText(CF_TEXT) == c.text; }, 5000, 50)) << ClipboardText(CF_TEXT);
    }
}

HWND WaitForChooser(const Program& program) {
    HWND chooser = nullptr;
    WaitFor([&] {
        chooser = FindWindowA("#32770", "Tintora");
        DWORD pid = 0;
        GetWindowThreadProcessId(chooser, &pid);
        return chooser && pid == program.pid() && IsWindowVisible(chooser);
    });
    return chooser;
}

unsigned EditNumber(HWND dialog, int id) { return GetDlgItemInt(dialog, id, nullptr, FALSE); }

TEST(Memos, RightClickEditsTheMemoInTheCentredChooser) {
    Sandbox sandbox("[options]\r\nmemo5=1193046\r\n");  // 0x123456: red 0x56, green 0x34, blue 0x12
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    const POINT swatch = SwatchPoint(program, 4);

    MoveCursor(swatch.x, swatch.y);
    Sleep(50);
    Press(MOUSEEVENTF_RIGHTDOWN, 0);
    Sleep(300);
    EXPECT_EQ(FindWindowA("#32770", "Tintora"), nullptr);  // the press alone opens nothing
    Press(MOUSEEVENTF_RIGHTUP, 0);
    const HWND chooser = WaitForChooser(program);
    ASSERT_NE(chooser, nullptr);

    const RECT r = WindowRect(chooser);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2);
    EXPECT_EQ(EditNumber(chooser, 706), 0x56u);
    EXPECT_EQ(EditNumber(chooser, 707), 0x34u);
    EXPECT_EQ(EditNumber(chooser, 708), 0x12u);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(chooser, 706)));  // fully open: the custom part shows

    // The readout follows the cursor over the chooser as over any other window.
    MoveCursor(r.left + 20, r.bottom - 20);
    EXPECT_TRUE(ReadoutAt(program.window(), r.left + 20, r.bottom - 20)) << program.InfoText();

    // OK with the colour unchanged still stores it, and only it: another copy may hold the others.
    sandbox.WriteIni("[options]\r\n");
    PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(IniHolds(sandbox, MemoLine(4, 0x123456)));
    EXPECT_EQ(sandbox.ReadIni().find("memo1="), std::string::npos) << sandbox.ReadIni();
}

TEST(Memos, CancelledChooserChangesNothing) {
    Sandbox sandbox("[options]\r\nmemo6=65280\r\n");
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    ASSERT_TRUE(IniHolds(sandbox, MemoLine(5, 65280)));
    PressAt(SwatchPoint(program, 5), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    const HWND chooser = WaitForChooser(program);
    ASSERT_NE(chooser, nullptr);
    SetDlgItemInt(chooser, 706, 200, FALSE);
    ASSERT_TRUE(sandbox.WaitForMemoKeys());
    const std::string before = sandbox.ReadIni();
    PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(chooser); }));
    Sleep(200);
    EXPECT_EQ(sandbox.ReadIni(), before);
    MoveCursor(kX, kY);
    EXPECT_TRUE(SwatchShows(program, 5, RGB(0, 255, 0)));
}

// Six CSS custom properties from one copy, by key and by a Shift+click on a swatch.
TEST(Memos, PaletteCopiesEveryMemoByKeyAndByShiftClick) {
    Sandbox sandbox(
        "[options]\r\nformat=--c{n}: #{hex};\r\nmemo1=255\r\nmemo2=65280\r\nmemo3=16711680\r\nmemo4=0\r\n"
        "memo5=16777215\r\nmemo6=5649426\r\n");
    const std::string palette =
        "--c1: #ff0000;\r\n--c2: #00ff00;\r\n--c3: #0000ff;\r\n--c4: #000000;\r\n--c5: #ffffff;\r\n--c6: #123456;";
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    ASSERT_TRUE(SwatchShows(program, 5, RGB(0x12, 0x34, 0x56)));
    SetForegroundWindow(program.window());
    ASSERT_TRUE(WaitFor([&] { return TakesInput(program.window()); }));
    PutClipboardText(kSentinel);
    SendKeys({VK_CONTROL, VK_SHIFT, 'C'});
    EXPECT_TRUE(ClipboardBecomes(palette)) << ClipboardText(CF_TEXT);

    PutClipboardText(kSentinel);
    MoveCursor(SwatchPoint(program, 3).x, SwatchPoint(program, 3).y);
    Press(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, VK_SHIFT);
    EXPECT_TRUE(ClipboardBecomes(palette)) << ClipboardText(CF_TEXT);
}

HCURSOR CurrentCursor() {
    CURSORINFO info{};
    info.cbSize = sizeof info;
    return GetCursorInfo(&info) ? info.hCursor : nullptr;
}

// The hand of the program's process: a cursor handle is per process under Wine, so it is taken
// from the program itself, over the exit button.
TEST(Memos, ClickableControlsShowTheHandCursor) {
    Sandbox sandbox;
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    // Moves about within the window's rectangle as a hand on the mouse does, then reads the cursor.
    auto cursorOver = [](HWND control) {
        const POINT p = Centre(control);
        for (int step = 0; step < 4; ++step) {
            MoveCursor(p.x + step % 2, p.y);
            Sleep(60);
        }
        return CurrentCursor();
    };
    const HCURSOR arrow = cursorOver(program.control(IDC_INFO));
    const HCURSOR hand = cursorOver(program.control(IDC_EXIT));
    EXPECT_NE(hand, arrow);
    for (int id : {2, 108, 107, 103, 200, 203, 205}) {
        EXPECT_EQ(cursorOver(program.control(id)), hand) << id;
        EXPECT_EQ(cursorOver(program.control(IDC_INFO)), arrow) << id;
        EXPECT_EQ(cursorOver(program.control(IDC_PREVIEW)), arrow) << id;
    }
}

// Reads the memo keys of a settings file; a key that is missing reads as "".
std::map<int, std::string> MemoValues(const std::string& ini, bool* whole) {
    std::map<int, std::string> values;
    *whole = ini.rfind("[options]\r\n", 0) == 0;
    for (int slot = 1; slot <= 6; ++slot) {
        const std::string key = "\r\nmemo" + std::to_string(slot) + "=";
        const std::size_t at = ini.find(key);
        if (at == std::string::npos) continue;
        const std::size_t end = ini.find("\r\n", at + key.size());
        const std::string value = ini.substr(at + key.size(), end - at - key.size());
        *whole = *whole && end != std::string::npos && ini.find(key, at + 1) == std::string::npos &&
                 !value.empty() && value.find_first_not_of("0123456789") == std::string::npos;
        values[slot] = value;
    }
    return values;
}

// Kills the program at random moments while memo writes are under way, during the write at
// start-up and during the writes after memo hotkeys. The file must always read back whole, each
// memo key holding the value it had before or the one the program was writing.
TEST(Memos, KilledDuringWritesLeavesAWholeFile) {
    const COLORREF colors[] = {RGB(10, 20, 30), RGB(200, 0, 100)};
    const int spots[] = {kX, 450};
    ColorWindow fixture(kFixture, colors[0]);
    ColorWindow other({400, 500, 500, 700}, colors[1]);
    const std::string untouched = "; a comment the program leaves alone\r\nformat=#RGB\r\n";
    Sandbox sandbox("[options]\r\nmemo1=7\r\n" + untouched);
    std::mt19937 random(12345);
    for (int run = 0; run < 100; ++run) {
        bool whole = false;
        const std::map<int, std::string> before = MemoValues(sandbox.ReadIni(), &whole);
        const bool pressKeys = run % 2 == 1;
        const COLORREF color = colors[run / 2 % 2];
        {
            Program program(sandbox, pressKeys);
            if (pressKeys) {
                ASSERT_NE(program.window(), nullptr);
                const int x = spots[run / 2 % 2];
                MoveCursor(x, kY);
                ASSERT_TRUE(ReadoutAt(program.window(), x, kY));
                Sleep(50);  // the write at start-up is done by now
                for (int key = 0; key < 6; ++key) SendKeys({VK_CONTROL, VK_MENU, static_cast<WORD>('1' + key)});
            }
            Sleep(std::uniform_int_distribution<int>(0, pressKeys ? 60 : 250)(random));
        }  // ended here
        const std::string ini = sandbox.ReadIni();
        const std::map<int, std::string> after = MemoValues(ini, &whole);
        ASSERT_TRUE(whole) << run << "\n" << ini;
        ASSERT_NE(ini.find(untouched), std::string::npos) << run << "\n" << ini;
        for (const auto& [slot, value] : after) {
            const auto old = before.find(slot);
            const std::string oldValue = old == before.end() ? "16777215" : old->second;
            const std::string newValue = pressKeys ? std::to_string(color) : oldValue;
            EXPECT_TRUE(value == oldValue || value == newValue) << run << ": memo" << slot << "=" << value;
        }
    }
}

}  // namespace
