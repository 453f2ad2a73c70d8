#include "magnifier/magnifier.h"

#include <iterator>

#include "app/app_state.h"
#include "app/dpi_scale.h"
#include "magnifier/zoom_math.h"
#include "mainwindow/window_scale.h"
#include "resources/resource_ids.h"
#include "settings/settings_load.h"
#include "settings/settings_rules.h"

namespace tintora {

namespace {

constexpr UINT_PTR kZoomTimer = 1;
constexpr UINT kResizeFlags = SWP_NOMOVE | SWP_NOOWNERZORDER;
constexpr UINT kPlaceFlags = SWP_NOZORDER | SWP_NOACTIVATE;
// Pattern AND source: with the view's default white brush, a plain copy of the desktop.
constexpr DWORD kViewRop = 0x00C0010C;
// The same, taking layered (transparent) windows into the copy.
constexpr DWORD kViewRopWithLayered = 0x40C0010C;
// The crosshair's arms stop this far from the view's edges.
constexpr int kCrosshairMargin = 20;

// The window's outer size for the panel's state at the window's DPI.
SIZE PanelStateSize() {
    const ZoomWindowSize s = MainWindowSizes();
    return {app.zoomShown ? s.wideWidth : s.narrowWidth, s.height};
}

void Resize() {
    const SIZE size = PanelStateSize();
    SetWindowPos(app.mainWindow, HWND_TOP, 0, 0, size.cx, size.cy, kResizeFlags);
}

// With the sampler averaging a square, its frame on the outermost view pixels that show it,
// with the crosshair's pen, so a person sees what is averaged.
void OutlineAveragedSquare(int w, int h) {
    const int side = app.sampleAverage.load();
    if (side <= 1) return;
    const ViewBox b = ZoomSquareInView(w, h, app.zoomRate, side);
    if (b.right <= b.left || b.bottom <= b.top) return;
    const POINT frame[] = {
        {b.left, b.top}, {b.right - 1, b.top}, {b.right - 1, b.bottom - 1}, {b.left, b.bottom - 1}, {b.left, b.top},
    };
    Polyline(app.zoomViewDC, frame, static_cast<int>(std::size(frame)));
}

}  // namespace

void OpenMagnifierView(HWND mainWindow) {
    const HWND view = GetDlgItem(mainWindow, IDC_ZOOM_VIEW);
    if (app.zoomViewDC) ReleaseDC(view, app.zoomViewDC);
    app.zoomViewDC = GetDC(view);
    RECT client;
    GetClientRect(view, &client);
    app.zoomViewWidth = client.right - client.left;
    app.zoomViewHeight = client.bottom - client.top;
    if (app.desktopDC) return;
    app.desktopWindow = GetDesktopWindow();
    app.desktopDC = GetDC(app.desktopWindow);
}

void FitWindowToPanel(const RECT* place) {
    const SIZE size = PanelStateSize();
    if (place) {
        SetWindowPos(app.mainWindow, nullptr, place->left, place->top, size.cx, size.cy, kPlaceFlags);
        return;
    }
    RECT r;
    GetWindowRect(app.mainWindow, &r);
    if (r.right - r.left != size.cx || r.bottom - r.top != size.cy) Resize();
}

void ToggleMagnifier() {
    if (app.zoomShown) {
        app.zoomShown = 0;
        Resize();
        KillTimer(app.mainWindow, kZoomTimer);
    } else {
        SetTimer(app.mainWindow, kZoomTimer, static_cast<UINT>(app.zoomUpdateMs), MagnifierTimerProc);
        app.zoomShown = 1;
        Resize();
    }
    WriteSettingUnsigned(settings::kZoomSetting.key, app.zoomShown);
}

void StepMagnifierRate(int steps) {
    const int rate = SteppedZoomRate(app.zoomRate, steps);
    if (rate == app.zoomRate) return;
    app.zoomRate = rate;
    WriteSettingUnsigned(settings::kZoomRateSetting.key, static_cast<std::uint32_t>(rate));
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
    const int margin = ScaleToDpi(kCrosshairMargin, app.windowDpi);
    MoveToEx(app.zoomViewDC, w >> 1, margin, nullptr);
    LineTo(app.zoomViewDC, w >> 1, h - margin);
    MoveToEx(app.zoomViewDC, margin, h >> 1, nullptr);
    LineTo(app.zoomViewDC, w - margin, h >> 1);
    OutlineAveragedSquare(w, h);
}

}  // namespace tintora
