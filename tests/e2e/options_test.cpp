// The options dialog as a person uses it: what it shows (OptionsShown), what Save and leaving write
// (Options); the two run as entries of their own.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "harness.h"
#include "resources/resource_ids.h"
#include "ui_helpers.h"

namespace {

using namespace e2e;

constexpr int kTransparent = 200, kZoomRate = 201, kUpdateRate = 202, kFormat = 205, kUseShift = 206;
constexpr int kShiftX = 208, kShiftY = 210, kWin = 211, kHotkey = 212, kWebSafe = 213;
constexpr int kAverage = 214, kContrast = 216;
constexpr int kShiftControls[] = {208, 207, 308, 210, 209, 310};
constexpr char kPlacement[] = "[options]\r\nx=300\r\ny=300\r\n";
constexpr char kHotkeyMessage[] = "Can't register hotkey       ";

// One program with its options dialog open.
struct OpenOptions {
    explicit OpenOptions(const std::string& settings) : sandbox(kPlacement + settings), program(sandbox) {
        if (!program.window() || !sandbox.WaitForMemoKeys()) return;
        ClickControl(program.control(IDC_OPTIONS));
        WaitFor([&] { return (dialog = FindOwnedDialog(program.window())) != nullptr; });
        WaitFor([&] { return TakesInput(dialog); });
    }
    HWND item(int id) const { return GetDlgItem(dialog, id); }
    // WM_GETTEXT: GetWindowText on another process's control gives only its creation text.
    std::string text(int id) const {
        char buffer[256] = "";
        SendMessageA(item(id), WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
        return buffer;
    }
    bool checked(int id) const { return SendMessageA(item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool closed(int timeoutMs = 5000) const { return WaitFor([&] { return !IsWindow(dialog); }, timeoutMs); }
    // Clicks a field and waits for its caret: the keys that follow then go to it.
    bool Focus(int id) const {
        ClickControl(item(id));
        return WaitFor([&] { return FocusedWindow(dialog) == item(id); });
    }
    // Types a combination into the hotkey field and waits until it shows what was typed.
    void TypeHotkey(std::initializer_list<WORD> keys, LRESULT shown) const {
        ASSERT_TRUE(Focus(kHotkey));
        SendKeys(keys);
        ASSERT_TRUE(WaitFor([&] { return SendMessageA(item(kHotkey), HKM_GETHOTKEY, 0, 0) == shown; }));
    }

    Sandbox sandbox;
    Program program;
    HWND dialog = nullptr;
};

TEST(OptionsShown, ShowsTheSavedValuesKeptInRange) {
    const struct {
        const char* settings;
        const char *zoomRate, *updateRate, *shiftX, *shiftY;
    } cases[] = {
        {"zoomupdate=9\r\nzoomrate=1\r\n", "4", "50", "0", "0"},
        {"zoomupdate=10\r\nzoomrate=2\r\n", "2", "10", "0", "0"},
        {"zoomupdate=200\r\nzoomrate=16\r\n", "16", "200", "0", "0"},
        {"zoomupdate=201\r\nzoomrate=17\r\n", "4", "50", "0", "0"},
        {"zoomupdate=-5\r\n", "4", "50", "0", "0"},
        {"shiftx=250\r\nshifty=-100\r\n", "4", "50", "100", "-100"},
        {"shiftx=-101\r\nshifty=7\r\n", "4", "50", "-100", "7"},
    };
    for (const auto& c : cases) {
        OpenOptions options(c.settings);
        ASSERT_NE(options.dialog, nullptr) << c.settings;
        EXPECT_EQ(options.text(kZoomRate), c.zoomRate) << c.settings;
        EXPECT_EQ(options.text(kUpdateRate), c.updateRate) << c.settings;
        EXPECT_EQ(options.text(kShiftX), c.shiftX) << c.settings;
        EXPECT_EQ(options.text(kShiftY), c.shiftY) << c.settings;
    }
}

TEST(OptionsShown, ShowsFlagsFormatAndHotkey) {
    const struct {
        const char* settings;
        bool transparent, useShift, webSafe, win;
        const char* format;
        LRESULT hotkey;  // the control's value: key in the low byte, HOTKEYF_ flags above
    } cases[] = {
        {"", false, false, false, false, "RGB", MAKEWORD('C', HOTKEYF_CONTROL | HOTKEYF_ALT)},
        {"transparent=7\r\nuseshift=1\r\nweb=1\r\ncopy=22542\r\nformat=<%R>\r\n", true, true, true, true, "<%R>",
         MAKEWORD('X', HOTKEYF_CONTROL | HOTKEYF_SHIFT)},
        {"copy=0\r\nformat=0x00BGR\r\n", false, false, false, false, "0x00BGR", 0},
    };
    for (const auto& c : cases) {
        OpenOptions options(c.settings);
        ASSERT_NE(options.dialog, nullptr) << c.settings;
        EXPECT_EQ(options.checked(kTransparent), c.transparent) << c.settings;
        EXPECT_EQ(options.checked(kUseShift), c.useShift) << c.settings;
        EXPECT_EQ(options.checked(kWebSafe), c.webSafe) << c.settings;
        EXPECT_EQ(options.checked(kWin), c.win) << c.settings;
        for (int id : kShiftControls) EXPECT_EQ(IsWindowEnabled(options.item(id)) != FALSE, c.useShift) << id;
        EXPECT_EQ(options.text(kFormat), c.format) << c.settings;
        EXPECT_EQ(SendMessageA(options.item(kFormat), CB_GETCURSEL, 0, 0), CB_ERR) << c.settings;
        EXPECT_EQ(SendMessageA(options.item(kHotkey), HKM_GETHOTKEY, 0, 0), c.hotkey) << c.settings;
    }
}

TEST(OptionsShown, OffersTheFourPresetFormatsInOrder) {
    OpenOptions options("");
    ASSERT_NE(options.dialog, nullptr);
    const HWND combo = options.item(kFormat);
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 4);
    const char* presets[] = {"RGB", "#RGB", "0x00BGR", "(r,g,b)"};
    for (LRESULT i = 0; i < 4; ++i) {
        EXPECT_EQ(SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(presets[i])),
                  i);
    }
}

TEST(OptionsShown, ShiftBoxEnablesTheShiftControls) {
    OpenOptions options("");
    ASSERT_NE(options.dialog, nullptr);
    for (bool enabled : {true, false, true}) {
        ClickControl(options.item(kUseShift));
        EXPECT_TRUE(WaitFor([&] { return options.checked(kUseShift) == enabled; }));
        for (int id : kShiftControls) EXPECT_EQ(IsWindowEnabled(options.item(id)) != FALSE, enabled) << id;
        WaitPastDoubleClick();
    }
}

TEST(Options, SaveWithoutChangesWritesEveryValueInOrder) {
    OpenOptions options("transparent=1\r\nuseshift=1\r\nweb=1\r\nshiftx=250\r\nshifty=-12\r\n"
                        "format=(r,g,b)\r\nzoomupdate=120\r\nzoomrate=6\r\ncopy=17155\r\n");
    ASSERT_NE(options.dialog, nullptr);
    options.sandbox.WriteIni(kPlacement);  // so the file lists the keys in the order they are written
    ClickControl(options.item(IDOK));
    ASSERT_TRUE(options.closed());
    const std::vector<std::string> expected = {
        "[options]",  "x=300",          "y=300",         "transparent=1", "useshift=1", "web=1",
        "shiftx=100", "shifty=-12",     "format=(r,g,b)", "zoomupdate=120", "zoomrate=6", "copy=17155"};
    EXPECT_EQ(IniLines(options.sandbox.ReadIni()), expected);
}

TEST(OptionsShown, DragOnTheDialogsFaceMovesIt) {
    OpenOptions options("");
    ASSERT_NE(options.dialog, nullptr);
    const RECT before = WindowRect(options.dialog);
    RECT client;
    GetClientRect(options.dialog, &client);
    POINT from{10, client.bottom - 10};  // below the group box, left of Save: no control there
    ClientToScreen(options.dialog, &from);
    Drag(from, {from.x + 40, from.y + 30});
    EXPECT_TRUE(WaitFor([&] {
        const RECT r = WindowRect(options.dialog);
        return r.left == before.left + 40 && r.top == before.top + 30;
    }));
}

TEST(OptionsShown, DialogIsSampledLikeAnyOtherWindow) {
    OpenOptions options("");
    ASSERT_NE(options.dialog, nullptr);
    RECT client;
    GetClientRect(options.dialog, &client);
    POINT face{10, client.bottom - 10};  // the dialog itself, no control
    ClientToScreen(options.dialog, &face);
    MoveCursor(face.x, face.y);
    EXPECT_TRUE(WaitFor([&] { return options.program.InfoText().rfind("Pixel at ", 0) == 0; }))
        << options.program.InfoText();
}

TEST(Options, CancelEscAndTheCloseBoxWriteNothing) {
    constexpr COLORREF kStored = RGB(0x12, 0x34, 0x56);
    const std::string stored = std::to_string(kStored);
    ColorWindow fixture(kFixture, kStored);
    const char* const ways[] = {"Cancel", "Esc", "close box"};
    for (const char* way : ways) {
        OpenOptions options("zoomrate=5\r\n");
        ASSERT_NE(options.dialog, nullptr) << way;
        ClickControl(options.item(kTransparent));  // a change that must not be kept
        ASSERT_TRUE(WaitFor([&] { return options.checked(kTransparent); }));
        const std::string before = options.sandbox.ReadIni();
        if (way == ways[0]) {
            ClickControl(options.item(IDCANCEL));
        } else if (way == ways[1]) {
            SetForegroundWindow(options.dialog);
            SendKeys({VK_ESCAPE});
        } else {
            // Find the close box on the caption by asking the dialog what each point is.
            const RECT r = WindowRect(options.dialog);
            const int y = r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
            for (int x = r.right - 1; x > r.left; --x) {
                if (SendMessageA(options.dialog, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
                    LeftClick(x - 3, y);
                    break;
                }
            }
        }
        EXPECT_TRUE(options.closed()) << way;
        // A memo stored after leaving is saved after anything that leaving wrote.
        MoveCursor(kX, kY);
        ASSERT_TRUE(WaitFor([&] { return options.program.InfoText().find("0x563412") != std::string::npos; })) << way;
        SendKeys({VK_CONTROL, VK_MENU, '1'});
        ASSERT_TRUE(WaitFor([&] { return IniValue(options.sandbox.ReadIni(), "memo1") == stored; })) << way;
        std::string expected = before;
        const std::size_t white = expected.find("memo1=16777215");
        ASSERT_NE(white, std::string::npos) << before;
        expected.replace(white, std::string("memo1=16777215").size(), "memo1=" + stored);
        EXPECT_EQ(options.sandbox.ReadIni(), expected) << way;
    }
}

TEST(Options, SpinFieldsStepWithinTheirRangesAndSaveWritesWhatTheyShow) {
    const struct {
        const char* settings;
        int field;
        WORD key;
        int presses;
        const char* shown;
    } cases[] = {
        {"zoomupdate=50\r\n", kUpdateRate, VK_UP, 1, "60"},    {"zoomupdate=50\r\n", kUpdateRate, VK_DOWN, 1, "40"},
        {"zoomupdate=200\r\n", kUpdateRate, VK_UP, 1, "200"},  {"zoomupdate=10\r\n", kUpdateRate, VK_DOWN, 1, "10"},
        {"zoomupdate=50\r\n", kUpdateRate, VK_UP, 20, "200"},  {"zoomupdate=50\r\n", kUpdateRate, VK_DOWN, 20, "10"},
        {"zoomupdate=15\r\n", kUpdateRate, VK_DOWN, 1, "10"},  {"zoomupdate=195\r\n", kUpdateRate, VK_UP, 1, "200"},
        {"average=29\r\n", kAverage, VK_UP, 2, "31"},          {"average=3\r\n", kAverage, VK_DOWN, 2, "1"},
        {"average=4\r\n", kAverage, VK_UP, 1, "3"},  // an even side reads as 1
    };
    for (const auto& c : cases) {
        OpenOptions options(c.settings);
        ASSERT_NE(options.dialog, nullptr) << c.settings;
        ASSERT_TRUE(options.Focus(c.field)) << c.settings;
        for (int i = 0; i < c.presses; ++i) SendKeys({c.key});
        EXPECT_TRUE(WaitFor([&] { return options.text(c.field) == c.shown; }))
            << c.settings << " -> " << options.text(c.field);
        ClickControl(options.item(IDOK));
        ASSERT_TRUE(options.closed());
        EXPECT_EQ(IniValue(options.sandbox.ReadIni(), c.field == kAverage ? "average" : "zoomupdate"),
                  std::string(c.shown)) << c.settings;
    }
}

// The two keys after the nine go to the file only when they differ from the value in effect.
TEST(Options, SaveWritesAverageAndContrastAfterTheNineOnlyWhenChanged) {
    OpenOptions options("average=5\r\n");
    ASSERT_NE(options.dialog, nullptr);
    ClickControl(options.item(kContrast));
    ASSERT_TRUE(WaitFor([&] { return options.checked(kContrast); }));
    options.sandbox.WriteIni(kPlacement);  // what Save writes, alone in the file
    ClickControl(options.item(IDOK));
    ASSERT_TRUE(options.closed());
    const std::vector<std::string> lines = IniLines(options.sandbox.ReadIni());
    ASSERT_GE(lines.size(), 12u);  // the placement's three lines and the nine, "copy" last
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 11, lines.end()),
              (std::vector<std::string>{"copy=17155", "contrast=1"}));
}

// A window of the test's own that can hold hotkeys.
struct HotkeyHolder {
    HotkeyHolder() : window(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
    ~HotkeyHolder() {
        UnregisterHotKey(window, 1);
        DestroyWindow(window);
    }
    bool Take(UINT modifiers, UINT key) { return RegisterHotKey(window, 1, modifiers, key) != FALSE; }
    HWND window;
};

TEST(Options, HotkeyTakesTheWinBoxAndNeedsAKey) {
    const struct {
        const char* what;
        bool win;
        std::initializer_list<WORD> keys;
        LRESULT shown;  // what the field shows: key in the low byte, HOTKEYF_ flags above
        const char* saved;
        UINT modifiers, key;  // the combination the program then holds
    } cases[] = {
        {"Win box with Ctrl+Shift+X", true, {VK_CONTROL, VK_SHIFT, 'X'}, MAKEWORD('X', HOTKEYF_CONTROL | HOTKEYF_SHIFT),
         "22542", MOD_WIN | MOD_CONTROL | MOD_SHIFT, 'X'},
        {"Alt+F9", false, {VK_MENU, VK_F9}, MAKEWORD(VK_F9, HOTKEYF_ALT), "30721", MOD_ALT, VK_F9},
        {"modifiers only", true, {VK_CONTROL, VK_SHIFT}, 0, "0", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        OpenOptions options("");
        ASSERT_NE(options.dialog, nullptr) << c.what;
        options.TypeHotkey(c.keys, c.shown);
        if (c.win) ClickControl(options.item(kWin));
        ASSERT_TRUE(WaitFor([&] { return options.checked(kWin) == c.win; })) << c.what;
        ClickControl(options.item(IDOK));
        ASSERT_TRUE(options.closed()) << c.what;
        EXPECT_EQ(IniValue(options.sandbox.ReadIni(), "copy"), std::string(c.saved)) << c.what;
        if (c.key) {
            HotkeyHolder other;
            EXPECT_FALSE(other.Take(c.modifiers, c.key)) << c.what << ": the program does not hold it";
        }
        HotkeyHolder old;
        EXPECT_TRUE(old.Take(MOD_CONTROL | MOD_ALT, 'C')) << c.what << ": the start-up key is still held";
    }
}

TEST(Options, NewCopyKeyCopiesAtOnce) {
    OpenOptions options("");
    ASSERT_NE(options.dialog, nullptr);
    options.TypeHotkey({VK_MENU, VK_F9}, MAKEWORD(VK_F9, HOTKEYF_ALT));
    ClickControl(options.item(IDOK));
    ASSERT_TRUE(options.closed());
    PutClipboardText("before");
    SendKeys({VK_MENU, VK_F9});
    EXPECT_TRUE(WaitFor([] {
        const std::string text = ClipboardText(CF_TEXT);
        return !text.empty() && text != "before";
    }));
}

HWND WaitForMessageBox(HWND owner) {
    HWND box = nullptr;
    WaitFor([&] { return (box = FindOwnedDialog(owner)) != nullptr; });
    return box;
}

bool HasText(HWND box, const std::string& text) {
    struct Search {
        const std::string* text;
        bool found;
    } search{&text, false};
    EnumChildWindows(
        box,
        [](HWND child, LPARAM data) {
            auto* s = reinterpret_cast<Search*>(data);
            if (WindowText(child) == *s->text) s->found = true;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST(Options, RefusedHotkeyIsReportedCancelStaysOkCloses) {
    OpenOptions options("");
    ASSERT_NE(options.dialog, nullptr);
    options.TypeHotkey({VK_CONTROL, VK_SHIFT, 'X'}, MAKEWORD('X', HOTKEYF_CONTROL | HOTKEYF_SHIFT));
    HotkeyHolder other;
    ASSERT_TRUE(other.Take(MOD_CONTROL | MOD_SHIFT, 'X'));

    for (int answer : {IDCANCEL, IDOK}) {
        ClickControl(options.item(IDOK));
        const HWND box = WaitForMessageBox(options.dialog);
        ASSERT_NE(box, nullptr) << answer;
        EXPECT_EQ(WindowText(box), "Error!");
        EXPECT_TRUE(HasText(box, kHotkeyMessage));
        ClickControl(GetDlgItem(box, answer));
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));
        EXPECT_EQ(options.closed(answer == IDOK ? 5000 : 1000), answer == IDOK) << answer;
        EXPECT_EQ(IniValue(options.sandbox.ReadIni(), "copy"), std::string("22534"));
        WaitPastDoubleClick();
    }
}

}  // namespace
