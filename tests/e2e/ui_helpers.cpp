#include "ui_helpers.h"

#include <sstream>
#include "harness.h"

namespace e2e {

namespace {

constexpr char kPatternClass[] = "TintoraTestPattern";
constexpr int kPatternBlue = 0x80;
constexpr int kDragSteps = 12;
constexpr int kStepPauseMs = 15;
constexpr int kWindowTimeoutMs = 5000;

struct OwnedSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindOwned(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<OwnedSearch*>(data);
    if (GetWindow(window, GW_OWNER) == search->owner && IsWindowVisible(window) && ClassName(window) == "#32770") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

LRESULT CALLBACK PatternProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
    PaintByScreenPosition(window, reinterpret_cast<PatternWindow::Colors>(GetWindowLongPtrA(window, GWLP_USERDATA)));
    return 0;
}

}  // namespace

std::vector<std::string> IniLines(const std::string& iniText) {
    std::vector<std::string> result;
    std::istringstream lines(iniText);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) result.push_back(line);
    }
    return result;
}

std::optional<std::string> IniValue(const std::string& iniText, const std::string& key) {
    for (const std::string& line : IniLines(iniText)) {
        if (line.compare(0, key.size() + 1, key + "=") == 0) return line.substr(key.size() + 1);
    }
    return std::nullopt;
}

HWND FindOwnedDialog(HWND owner) {
    OwnedSearch search{owner, nullptr};
    EnumWindows(FindOwned, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Drag(POINT from, POINT to) {
    MoveCursor(from.x, from.y);
    Sleep(50);
    INPUT down{};
    down.type = INPUT_MOUSE;
    down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &down, sizeof down);
    Sleep(100);
    for (int i = 1; i <= kDragSteps; ++i) {
        MoveCursor(from.x + (to.x - from.x) * i / kDragSteps, from.y + (to.y - from.y) * i / kDragSteps);
        Sleep(kStepPauseMs);
    }
    Sleep(100);
    INPUT up{};
    up.type = INPUT_MOUSE;
    up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &up, sizeof up);
    Sleep(100);
}

POINT ClientOrigin(HWND window) {
    POINT p{0, 0};
    ClientToScreen(window, &p);
    return p;
}

void WaitPastDoubleClick() { Sleep(GetDoubleClickTime() + 100); }

PatternWindow::PatternWindow(RECT rect, Colors colorAt) : rect_(rect), colorAt_(colorAt) {
    ready_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, Thread, this, 0, nullptr);
    WaitForSingleObject(ready_, kWindowTimeoutMs);
    const int x = (rect.left + rect.right) / 2;
    const int y = (rect.top + rect.bottom) / 2;
    WaitFor([&] { return ScreenPixel(x, y) == colorAt(x, y); }, kWindowTimeoutMs);
}

PatternWindow::~PatternWindow() {
    PostMessageA(window_, WM_CLOSE, 0, 0);
    WaitForSingleObject(thread_, kWindowTimeoutMs);
    CloseHandle(thread_);
    CloseHandle(ready_);
}

COLORREF PatternWindow::ColorAt(int x, int y) { return RGB(x & 0xFF, y & 0xFF, kPatternBlue); }

DWORD WINAPI PatternWindow::Thread(void* self) {
    auto* me = static_cast<PatternWindow*>(self);
    RunFixtureWindow(kPatternClass, PatternProc, me->rect_, reinterpret_cast<LONG_PTR>(me->colorAt_), me->ready_,
                     &me->window_);
    return 0;
}

}  // namespace e2e
