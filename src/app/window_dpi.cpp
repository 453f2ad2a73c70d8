#include "app/window_dpi.h"

#include "app/dpi_scale.h"
#include "app/system_library.h"

namespace tintora {

namespace {

// Calls that older systems lack, looked up when first needed; the monitor's library is loaded
// only where the window's own DPI cannot be had.
constexpr char kGetDpiForWindowName[] = "GetDpiForWindow";
constexpr char kShellCoreLibrary[] = "shcore.dll";
constexpr char kGetDpiForMonitorName[] = "GetDpiForMonitor";
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI: the scale the user chose for the monitor

UINT MonitorDpi(HWND window) {
    const auto getDpiForMonitor = SystemFunction<GetDpiForMonitorFunction>(kShellCoreLibrary, kGetDpiForMonitorName);
    const HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    UINT x = 0, y = 0;
    if (!getDpiForMonitor || !monitor || FAILED(getDpiForMonitor(monitor, kEffectiveDpi, &x, &y))) return 0;
    return x;
}

UINT SystemDpi(HWND window) {
    const HDC dc = GetDC(window);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSX) : 0;
    if (dc) ReleaseDC(window, dc);
    return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}

}  // namespace

UINT WindowDpi(HWND window) {
    const auto getDpiForWindow = SystemFunction<GetDpiForWindowFunction>(kUserLibrary, kGetDpiForWindowName);
    if (getDpiForWindow) {
        if (const UINT dpi = getDpiForWindow(window)) return dpi;
    }
    if (const UINT dpi = MonitorDpi(window)) return dpi;
    return SystemDpi(window);
}

}  // namespace tintora
