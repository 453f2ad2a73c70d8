// Hiding to the notification area, coming back from it, and the About box.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"
#include "mainwindow/main_dialog.h"
#include "mainwindow/tray_icon.h"
#include "resources/resource_ids.h"

#include <shellapi.h>
#include <tlhelp32.h>

namespace {

using namespace e2e;

constexpr int kSettleMs = 400;  // long enough for a posted message to have had its effect
constexpr char kAboutCaption[] = "About";
constexpr char kTaskbarCreated[] = "TaskbarCreated";
// Wine's own tray window and the icons in it, shown at the screen's top-left while an icon exists.
constexpr char kWineTrayClass[] = "__winex11_standalone_tray";
constexpr char kWineTrayIconClass[] = "__winex11_tray_icon";

// Asking the taskbar to change nothing about the icon succeeds only while the icon exists.
bool TrayIconExists(HWND window) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

bool Hidden(const Program& program) {
    return !IsWindowVisible(program.window()) && TrayIconExists(program.window());
}

bool Shown(const Program& program) {
    return IsWindowVisible(program.window()) && !TrayIconExists(program.window());
}

// Our icon's window inside Wine's tray, or null.
HWND WineTrayIcon() {
    const HWND tray = FindWindowA(kWineTrayClass, nullptr);
    return tray ? FindWindowExA(tray, nullptr, kWineTrayIconClass, nullptr) : nullptr;
}

std::vector<HWND> AboutBoxes(DWORD pid) {
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
    } search{pid, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->pid && IsWindowVisible(window) && WindowText(window) == kAboutCaption) {
                s->found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForAboutBox(DWORD pid) {
    HWND box = nullptr;
    WaitFor([&] {
        const auto boxes = AboutBoxes(pid);
        box = boxes.empty() ? nullptr : boxes.front();
        return box != nullptr;
    });
    return box;
}

// The text of the box's first static control that contains the given part.
std::string StaticTextWith(HWND box, const std::string& part) {
    for (HWND child = nullptr; (child = FindWindowExA(box, child, "Static", nullptr)) != nullptr;) {
        if (WindowText(child).find(part) != std::string::npos) return WindowText(child);
    }
    return {};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

// One mouse event at a point of the screen.
void Mouse(DWORD flags, POINT p) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = p.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = p.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    Sleep(30);
}

void HideByEsc(const Program& program) {
    SetForegroundWindow(program.window());
    SendKeys({VK_ESCAPE});
}

void HideByClose(const Program& program) { PostMessageA(program.window(), WM_CLOSE, 0, 0); }

void HideByButton(const Program& program) { ClickControl(program.control(IDC_HIDE)); }

TEST(Tray, EveryWayOfHidingLeavesTheProgramRunningWithAnIcon) {
    const struct {
        const char* name;
        void (*hide)(const Program&);
    } ways[] = {{"Esc", HideByEsc}, {"WM_CLOSE", HideByClose}, {"bar-glyph button", HideByButton}};
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        Sandbox sandbox;
        Program program(sandbox);
        ASSERT_NE(program.window(), nullptr);
        EXPECT_TRUE(Shown(program));

        way.hide(program);
        EXPECT_TRUE(WaitFor([&] { return Hidden(program); }));
        EXPECT_FALSE(program.WaitForExit(kSettleMs));
        EXPECT_NE(WineTrayIcon(), nullptr);
    }
}

int ThreadCount(DWORD pid) {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID == pid) ++count;
    }
    CloseHandle(snapshot);
    return count;
}

// The window's own thread and the two workers, however often it shows.
TEST(Tray, ShowingAgainStartsNoMoreWorkers) {
    Sandbox sandbox;
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    EXPECT_TRUE(WaitFor([&] { return ThreadCount(program.pid()) == 3; }));

    for (int i = 0; i < 3; ++i) {
        HideByClose(program);
        ASSERT_TRUE(WaitFor([&] { return Hidden(program); }));
        PostMessageA(program.window(), tintora::kTrayNotifyMessage, 0, WM_LBUTTONDOWN);
        PostMessageA(program.window(), tintora::kTrayNotifyMessage, 0, WM_LBUTTONUP);
        ASSERT_TRUE(WaitFor([&] { return Shown(program); }));
        PostMessageA(program.window(), tintora::kStartWorkersMessage, 0, 0);
    }
    Sleep(kSettleMs);
    EXPECT_EQ(ThreadCount(program.pid()), 3);
}

TEST(Tray, OnlyAPressFollowedByAReleaseOnTheIconRestoresTheWindow) {
    const struct {
        const char* name;
        bool pressWhileShown;  // a press before hiding must not count afterwards
        WPARAM iconId;
        std::vector<LPARAM> events;
        bool restores;
    } cases[] = {
        {"release alone", false, 0, {WM_LBUTTONUP}, false},
        {"moves and double-clicks", false, 0, {WM_MOUSEMOVE, WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_LBUTTONUP}, false},
        {"press, then no release", false, 0, {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONDBLCLK}, false},
        {"press from before hiding", true, 0, {WM_LBUTTONUP}, false},
        {"another icon's click", false, 1, {WM_LBUTTONDOWN, WM_LBUTTONUP}, false},
        {"right press, left release", false, 0, {WM_RBUTTONDOWN, WM_LBUTTONUP}, true},
        {"middle press, left release", false, 0, {WM_MBUTTONDOWN, WM_LBUTTONUP}, true},
        {"left press, middle release", false, 0, {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_MBUTTONUP}, true},
        {"left press, right release", false, 0, {WM_LBUTTONDOWN, WM_RBUTTONUP}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Sandbox sandbox;
        Program program(sandbox);
        ASSERT_NE(program.window(), nullptr);
        if (c.pressWhileShown) PostMessageA(program.window(), tintora::kTrayNotifyMessage, 0, WM_LBUTTONDOWN);
        HideByClose(program);
        ASSERT_TRUE(WaitFor([&] { return Hidden(program); }));

        for (const LPARAM event : c.events) PostMessageA(program.window(), tintora::kTrayNotifyMessage, c.iconId, event);
        if (c.restores) {
            EXPECT_TRUE(WaitFor([&] { return Shown(program); }));
        } else {
            Sleep(kSettleMs);
            EXPECT_TRUE(Hidden(program));
        }
    }
}

TEST(Tray, TaskbarCreatedRegistersTheIconAfreshOnlyWhileHidden) {
    const UINT taskbarCreated = RegisterWindowMessageA(kTaskbarCreated);
    enum class Before { Shown, IconKept, IconLost, IconAltered };
    const struct {
        const char* name;
        Before before;
    } cases[] = {
        {"shown", Before::Shown},
        {"hidden, icon still there", Before::IconKept},
        {"hidden, icon lost with the old taskbar", Before::IconLost},
        {"hidden, icon still there but no longer reporting", Before::IconAltered},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Sandbox sandbox;
        Program program(sandbox);
        ASSERT_NE(program.window(), nullptr);
        NOTIFYICONDATAA icon{};
        icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
        icon.hWnd = program.window();
        if (c.before != Before::Shown) {
            HideByClose(program);
            ASSERT_TRUE(WaitFor([&] { return Hidden(program); }));
        }
        if (c.before == Before::IconLost) {
            ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &icon));
        }
        if (c.before == Before::IconAltered) {
            // The stale registration sends its clicks where the program does not listen.
            icon.uFlags = NIF_MESSAGE;
            icon.uCallbackMessage = WM_APP;
            ASSERT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &icon));
        }

        PostMessageA(program.window(), taskbarCreated, 0, 0);
        Sleep(kSettleMs);
        if (c.before == Before::Shown) {
            EXPECT_TRUE(Shown(program));
            continue;
        }
        EXPECT_TRUE(Hidden(program));
        // A real click on the icon in Wine's tray reaches the window only through a fresh registration.
        ASSERT_TRUE(WaitFor([] { return WineTrayIcon() != nullptr; }));
        ClickControl(WineTrayIcon());
        EXPECT_TRUE(WaitFor([&] { return Shown(program); }));
    }
}

TEST(About, NothingOpensWhileTheWindowIsHidden) {
    Sandbox sandbox;
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    HideByClose(program);
    ASSERT_TRUE(WaitFor([&] { return Hidden(program); }));

    PostMessageA(program.window(), WM_COMMAND, IDC_ABOUT, 0);
    Sleep(kSettleMs);
    EXPECT_TRUE(AboutBoxes(program.pid()).empty());
    EXPECT_TRUE(IsWindowEnabled(program.window()));

    // Shown again, the same command opens the box: the gate, not the command, kept it shut.
    PostMessageA(program.window(), tintora::kTrayNotifyMessage, 0, WM_LBUTTONDOWN);
    PostMessageA(program.window(), tintora::kTrayNotifyMessage, 0, WM_LBUTTONUP);
    ASSERT_TRUE(WaitFor([&] { return Shown(program); }));
    PostMessageA(program.window(), WM_COMMAND, IDC_ABOUT, 0);
    EXPECT_NE(WaitForAboutBox(program.pid()), nullptr);
}

TEST(About, ShowsTheVersionOverADisabledWindowAndMovesWhenDragged) {
    Sandbox sandbox;
    Program program(sandbox);
    const HWND main = program.window();
    ASSERT_NE(main, nullptr);

    ClickControl(program.control(IDC_ABOUT));
    const HWND box = WaitForAboutBox(program.pid());
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(IsWindowEnabled(main));
    EXPECT_TRUE(GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST);

    const std::vector<std::string> text = Lines(StaticTextWith(box, "Version"));
    ASSERT_EQ(text.size(), 5u);
    EXPECT_EQ(text[0], "Tintora");
    EXPECT_EQ(text[1], "Version 1.6.0.0 (30.05.2018)");
    EXPECT_EQ(text[2], "");
    EXPECT_FALSE(text[3].empty());
    EXPECT_FALSE(text[4].empty());

    // A second About command while the box is open opens no second box.
    PostMessageA(main, WM_COMMAND, IDC_ABOUT, 0);
    Sleep(kSettleMs);
    EXPECT_EQ(AboutBoxes(program.pid()).size(), 1u);

    // A press on the bare surface, a move and a release carry the box along.
    const RECT before = WindowRect(box);
    RECT client;
    GetClientRect(box, &client);
    POINT grip{client.left + 4, client.bottom - 4};  // inside the frame, below and beside every control
    ClientToScreen(box, &grip);
    ASSERT_EQ(WindowFromPoint(grip), box);
    const POINT shift{-60, 40};
    Mouse(0, grip);
    Mouse(MOUSEEVENTF_LEFTDOWN, grip);
    for (int step = 1; step <= 4; ++step) Mouse(0, {grip.x + shift.x * step / 4, grip.y + shift.y * step / 4});
    Mouse(MOUSEEVENTF_LEFTUP, {grip.x + shift.x, grip.y + shift.y});
    EXPECT_TRUE(WaitFor([&] { return WindowRect(box).left == before.left + shift.x; }));
    const RECT after = WindowRect(box);
    EXPECT_EQ(after.left - before.left, shift.x);
    EXPECT_EQ(after.top - before.top, shift.y);
    EXPECT_EQ(after.right - after.left, before.right - before.left);

    // Resting on the box, the readout shows its pixels: it is not part of the main window.
    const POINT rest{grip.x + shift.x, grip.y + shift.y};
    const std::string readout = "Pixel at " + std::to_string(rest.x) + ":" + std::to_string(rest.y) + "\r\n";
    EXPECT_TRUE(WaitFor([&] { return program.InfoText().rfind(readout, 0) == 0; })) << program.InfoText();

    const HWND ok = FindWindowExA(box, nullptr, "Button", "OK");
    ASSERT_NE(ok, nullptr);
    ClickControl(ok);
    EXPECT_TRUE(WaitFor([&] { return AboutBoxes(program.pid()).empty(); }));
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(main) && HasFocus(main); }));
    EXPECT_TRUE(IsWindowVisible(main));
}

}  // namespace
