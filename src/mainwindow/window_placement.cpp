#include "mainwindow/window_placement.h"

#include <iterator>

#include "app/app_state.h"
#include "mainwindow/placement_math.h"
#include "settings/settings_load.h"
#include "settings/settings_rules.h"

namespace tintora {

namespace {

RECT WorkAreaOf(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof(MONITORINFO);
    GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

}  // namespace

void RestoreWindowPosition(HWND window) {
    const int y = ReadPositionSetting(settings::kYKey);
    const int x = ReadPositionSetting(settings::kXKey);
    // Placed first so that the work area is the one of the monitor it was saved on.
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const RECT work = WorkAreaOf(window);
    RECT r;
    GetWindowRect(window, &r);
    const int top = ClampIntoSpan(y, r.bottom - r.top, work.top, work.bottom);
    const int left = ClampIntoSpan(x, r.right - r.left, work.left, work.right);
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void SaveWindowPosition(HWND window) {
    // After a failed read the window stands where no one put it: the saved place stays.
    if (!app.settingsRead.load() && !app.windowMoved) return;
    RECT r;
    GetWindowRect(window, &r);
    char x[kNumberTextSize], y[kNumberTextSize];
    FormatSigned(r.left, x);
    FormatSigned(r.top, y);
    const char* keys[] = {settings::kXKey, settings::kYKey};
    const char* texts[] = {x, y};
    WriteSettingTexts(keys, texts, std::size(keys));
}

void SnapToWorkArea(HWND window, RECT* r, unsigned distance) {
    const RECT work = WorkAreaOf(window);
    Box box{r->left, r->top, r->right, r->bottom};
    SnapToEdges(box, {work.left, work.top, work.right, work.bottom}, distance);
    *r = {box.left, box.top, box.right, box.bottom};
}

}  // namespace tintora
