#include "mainwindow/about_box.h"

#include "app/app_state.h"
#include "app/dialog_layout.h"
#include "app/window_drag.h"
#include "resources/resource_ids.h"

namespace tintora {

namespace {

constexpr char kAboutCaption[] = "About";
constexpr char kAboutText[] =
    "Tintora\r\n"
    "Version 1.6.0.0 (30.05.2018)\r\n"
    "\r\n"
    "by the Tintora developers\r\n"
    "tintora.example.org";
// The box shows the program's own icon and stays above the topmost main window.
constexpr DWORD kAboutStyle = MB_USERICON | MB_TOPMOST;

ScaledLayout layout;  // UI thread only

void RemoveAboutHook() {
    if (!app.aboutHook) return;
    UnhookWindowsHookEx(app.aboutHook);
    app.aboutHook = nullptr;
}

}  // namespace

void ShowAboutBox(HWND window) {
    if (app.windowShown != 1) return;
    // The main window is disabled only while a box is open: a second command then (one posted to
    // the box's message loop) would open a box inside the box and re-enable the window under it.
    if (!IsWindowEnabled(window)) return;
    EnableWindow(window, FALSE);

    MSGBOXPARAMSA& params = app.aboutParams;
    params = {};
    params.cbSize = sizeof(params);
    params.hwndOwner = window;
    params.hInstance = app.instance;
    params.lpszText = kAboutText;
    params.lpszCaption = kAboutCaption;
    params.dwStyle = kAboutStyle;
    params.lpszIcon = MAKEINTRESOURCEA(IDI_APP);

    app.aboutHook = SetWindowsHookExA(WH_CBT, AboutHookProc, nullptr, GetCurrentThreadId());
    app.ownDialog = nullptr;
    MessageBoxIndirectA(&params);
    app.ownDialog = nullptr;
    // When the box could not be shown the hook never fired; left in place, it would take the
    // next window this thread activates for the box.
    RemoveAboutHook();
    EnableWindow(window, TRUE);
    SetFocus(window);
}

LRESULT CALLBACK AboutHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code != HCBT_ACTIVATE) return CallNextHookEx(app.aboutHook, code, wParam, lParam);
    const HWND box = reinterpret_cast<HWND>(wParam);
    app.ownDialog = box;
    app.aboutPrevProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AboutBoxProc)));
    RemoveAboutHook();
    StartFollowingDpi(box, layout);
    // Windows honours the box's topmost style by itself, Wine does not.
    SetWindowPos(box, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return 0;
}

LRESULT CALLBACK AboutBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN) {
        BeginWindowDrag(window);
        return 0;
    }
    if (FollowDpiChanges(window, message, wParam, lParam, layout)) return 0;
    return CallWindowProcA(app.aboutPrevProc, window, message, wParam, lParam);
}

}  // namespace tintora
