#include "mainwindow/tray_icon.h"

#include <shellapi.h>

#include <cstring>

#include "app/app_state.h"
#include "resources/resource_ids.h"

namespace tintora {

namespace {

constexpr UINT kTrayIconId = 0;
constexpr UINT kTrayIconFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
constexpr char kTrayTip[] = "Tintora";
static_assert(sizeof(kTrayTip) <= sizeof(NOTIFYICONDATAA{}.szTip));

// Makes sure the icon is registered. An add fails when the taskbar still holds the icon from
// before, possibly in a stale state; it is then removed and added afresh, so the icon is present
// and as described either way.
void PutIconInTray() {
    if (Shell_NotifyIconA(NIM_ADD, &app.trayIconData)) return;
    Shell_NotifyIconA(NIM_DELETE, &app.trayIconData);
    Shell_NotifyIconA(NIM_ADD, &app.trayIconData);
}

bool IsButtonDown(LPARAM mouseMessage) {
    return mouseMessage == WM_LBUTTONDOWN || mouseMessage == WM_RBUTTONDOWN || mouseMessage == WM_MBUTTONDOWN;
}

bool IsButtonUp(LPARAM mouseMessage) {
    return mouseMessage == WM_LBUTTONUP || mouseMessage == WM_RBUTTONUP || mouseMessage == WM_MBUTTONUP;
}

}  // namespace

void FillTrayIconData(HWND window) {
    NOTIFYICONDATAA& data = app.trayIconData;
    data = {};
    // The first-version layout: the fields below are all the icon needs.
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = kTrayIconId;
    data.uFlags = kTrayIconFlags;
    data.uCallbackMessage = kTrayNotifyMessage;
    data.hIcon = LoadIconA(app.instance, MAKEINTRESOURCEA(IDI_TRAY));
    std::memcpy(data.szTip, kTrayTip, sizeof(kTrayTip));
}

void HideToTray(HWND window) {
    ShowWindow(window, SW_HIDE);
    app.windowShown = 0;
    app.trayButtonDown = 0;
    PutIconInTray();
}

void RestoreFromTray(HWND window) {
    ShowWindow(window, SW_SHOW);
    app.windowShown = 1;
    app.trayButtonDown = 0;
    Shell_NotifyIconA(NIM_DELETE, &app.trayIconData);
}

void OnTrayNotify(HWND window, WPARAM iconId, LPARAM mouseMessage) {
    if (iconId != kTrayIconId) return;
    if (IsButtonDown(mouseMessage)) {
        app.trayButtonDown = 1;
    } else if (IsButtonUp(mouseMessage) && app.trayButtonDown == 1) {
        // Only a release that follows a press on the icon counts, not one dragged in from elsewhere.
        RestoreFromTray(window);
    }
}

void OnTaskbarCreated() {
    if (app.windowShown == 0) PutIconInTray();
}

}  // namespace tintora
