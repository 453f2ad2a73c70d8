#include "magnifier/magnifier.h"

#include "app/app_state.h"
#include "magnifier/zoom_math.h"
#include "resources/resource_ids.h"
#include "settings/settings_load.h"
#include "settings/settings_rules.h"

namespace tintora {

namespace {

constexpr UINT_PTR kZoomTimer = 1;
constexpr int kNarrowWidth = 224;
constexpr int kWideWidth = 328;
constexpr int kWindowHeight = 122;
constexpr UINT kResizeFlags = SWP_NOMOVE | SWP_NOOWNERZORDER;
// Pattern AND source: with the view's default white brush, a plain copy of the desktop.
constexpr DWORD kViewRop = 0x00C0010C;
// The same, taking layered (transparent) windows into the copy.
constexpr DWORD kViewRopWithLayered = 0x40C0010C;
// The crosshair's arms stop this far from the view's edges.
constexpr int kCrosshairMargin = 20;

void Resize(int width) {
    SetWindowPos(app.mainWindow, HWND_TOP, 0, 0, width, kWindowHeight, kResizeFlags);
}

}  // namespace

void OpenMagnifierView(HWND mainWindow) {
    const HWND view = GetDlgItem(mainWindow, IDC_ZOOM_VIEW);
    app.zoomViewDC = GetDC(view);
    RECT client;
    GetClientRect(view, &client);
    app.zoomViewWidth = client.right - client.left;
    app.zoomViewHeight = client.bottom - client.top;
    app.desktopWindow = GetDesktopWindow();
    app.desktopDC = GetDC(app.desktopWindow);
}

void ToggleMagnifier() {
    if (app.zoomShown) {
        app.zoomShown = 0;
        Resize(kNarrowWidth);
        KillTimer(app.mainWindow, kZoomTimer);
    } else {
        SetTimer(app.mainWindow, kZoomTimer, static_cast<UINT>(app.zoomUpdateMs), MagnifierTimerProc);
        app.zoomShown = 1;
        Resize(kWideWidth);
    }
    WriteSettingUnsigned(settings::kZoomSetting.key, app.zoomShown);
}

void RestartMagnifierTimer() {
    KillTimer(app.mainWindow, kZoomTimer);
    SetTimer(app.mainWindow, kZoomTimer, static_cast<UINT>(app.zoomUpdateMs), MagnifierTimerProc);
}

void CALLBACK MagnifierTimerProc(HWND, UINT, UINT_PTR, DWORD) {
    if (app.windowShown != 1) return;
    if (!GetCursorPos(&app.zoomOrigin)) return;
    if (app.useShift) {
        app.zoomOrigin.x += app.shiftX;
        app.zoomOrigin.y += app.shiftY;
    }
    const int w = app.zoomViewWidth;
    const int h = app.zoomViewHeight;
    const ZoomSource source = ZoomSourceAround(app.zoomOrigin.x, app.zoomOrigin.y, w, h, app.zoomRate);
    app.zoomOrigin = {source.x, source.y};
    StretchBlt(app.zoomViewDC, 0, 0, w, h, app.desktopDC, source.x, source.y, source.width, source.height,
               app.captureTransparent ? kViewRopWithLayered : kViewRop);
    MoveToEx(app.zoomViewDC, w >> 1, kCrosshairMargin, nullptr);
    LineTo(app.zoomViewDC, w >> 1, h - kCrosshairMargin);
    MoveToEx(app.zoomViewDC, kCrosshairMargin, h >> 1, nullptr);
    LineTo(app.zoomViewDC, w - kCrosshairMargin, h >> 1);
}

}  // namespace tintora
