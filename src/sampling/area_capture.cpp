#include "sampling/area_capture.h"

#include <cstddef>
#include <cstdint>

#include "sampling/area_mean.h"

namespace tintora {

namespace {

constexpr DWORD kCaptureRop = SRCCOPY | CAPTUREBLT;  // layered windows count in the sample, as for one pixel
constexpr WORD kBitsPerPixel = 32;
constexpr std::size_t kMaxMonitors = 16;  // a square touches four at most; more only when they overlap

struct MonitorList {
    ScreenRect rects[kMaxMonitors];
    std::size_t count;
};

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM data) {
    auto& list = *reinterpret_cast<MonitorList*>(data);
    if (rect && list.count < kMaxMonitors) list.rects[list.count++] = {rect->left, rect->top, rect->right, rect->bottom};
    return list.count < kMaxMonitors;
}

}  // namespace

COLORREF CaptureAreaMean(HDC screen, POINT point, int side) {
    const ScreenRect square = SquareAround(point.x, point.y, side);
    side = square.right - square.left;
    // The monitors the square meets; what lies on none of them is no real pixel.
    MonitorList monitors{};
    const RECT clip{square.left, square.top, square.right, square.bottom};
    EnumDisplayMonitors(nullptr, &clip, AddMonitor, reinterpret_cast<LPARAM>(&monitors));

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = side;
    info.bmiHeader.biHeight = -side;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = kBitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return CLR_INVALID;
    COLORREF mean = CLR_INVALID;
    const HDC memory = CreateCompatibleDC(screen);
    if (memory && bits) {
        const HGDIOBJ previous = SelectObject(memory, bitmap);
        // One copy of the part on each monitor the square meets, and so one copy inside a
        // monitor: Wine copies nothing of a source that leaves the screen.
        for (std::size_t i = 0; i < monitors.count; ++i) {
            const ScreenRect& m = monitors.rects[i];
            const RECT monitor{m.left, m.top, m.right, m.bottom};
            RECT part;
            if (!IntersectRect(&part, &monitor, &clip)) continue;
            BitBlt(memory, part.left - square.left, part.top - square.top, part.right - part.left,
                   part.bottom - part.top, screen, part.left, part.top, kCaptureRop);
        }
        GdiFlush();  // the copy has landed in the bits before they are read
        mean = AreaMean(static_cast<const std::uint32_t*>(bits), square, monitors.rects, monitors.count);
        SelectObject(memory, previous);
    }
    if (memory) DeleteDC(memory);
    DeleteObject(bitmap);
    return mean;
}

}  // namespace tintora
