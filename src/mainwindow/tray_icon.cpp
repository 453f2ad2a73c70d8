#include "mainwindow/tray_icon.h"

#include <shellapi.h>

#include <cstring>

#include "app/app_state.h"
#include "app/system_library.h"
#include "resources/resource_ids.h"

namespace tintora {

namespace {

constexpr UINT kTrayIconId = 0;
constexpr UINT kTrayIconFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
constexpr char kTrayTip[] = "Tintora";
static_assert(sizeof(kTrayTip) <= sizeof(NOTIFYICONDATAA{}.szTip));

// The shell library is loaded when the window first hides to the tray, not at every start.
constexpr char kShellLibrary[] = "shell32.dll";
constexpr char kNotifyIconName[] = "Shell_NotifyIconA";

BOOL NotifyIcon(DWORD action) {
    using NotifyIconFunction = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA);
    const auto notifyIcon = SystemFunction<NotifyIconFunction>(kShellLibrary, kNotifyIconName);
    return notifyIcon ? notifyIcon(action, &app.trayIconData) : FALSE;
}

// Makes sure the icon is registered. An add fails when the taskbar still holds the icon from
// before, possibly in a stale state; it is then removed and added afresh, so the icon is present
// and as described either way.
void PutIconInTray() {
    if (NotifyIcon(NIM_ADD)) return;
    NotifyIcon(NIM_DELETE);
    NotifyIcon(NIM_ADD);
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
    // The small icon size of the display's scale: the taskbar shows no other.
    data.hIcon = static_cast<HICON>(LoadImageA(app.instance, MAKEINTRESOURCEA(IDI_TRAY), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
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
    NotifyIcon(NIM_DELETE);
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
