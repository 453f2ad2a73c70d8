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

// The memory bitmap of the last side, kept from cycle to cycle: making one costs more than the
// copy and the sum. Sampler thread only.
struct AreaBitmap {
    int side;
    HDC memory;
    HBITMAP bitmap;
    const std::uint32_t* bits;
};
AreaBitmap area;

bool PrepareBitmap(HDC screen, int side) {
    if (area.bitmap && area.side == side) return true;
    if (area.memory) DeleteDC(area.memory);
    if (area.bitmap) DeleteObject(area.bitmap);
    area = {};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = side;
    info.bmiHeader.biHeight = -side;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = kBitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HDC memory = CreateCompatibleDC(screen);
    if (!bitmap || !bits || !memory) {
        if (bitmap) DeleteObject(bitmap);
        if (memory) DeleteDC(memory);
        return false;
    }
    SelectObject(memory, bitmap);
    area = {side, memory, bitmap, static_cast<const std::uint32_t*>(bits)};
    return true;
}

}  // namespace

COLORREF CaptureAreaMean(HDC screen, POINT point, int side) {
    const ScreenRect square = SquareAround(point.x, point.y, side);
    side = square.right - square.left;
    // The monitors the square meets; what lies on none of them is no real pixel.
    MonitorList monitors{};
    const RECT clip{square.left, square.top, square.right, square.bottom};
    EnumDisplayMonitors(nullptr, &clip, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (!PrepareBitmap(screen, side)) return CLR_INVALID;
    // One copy of the part on each monitor the square meets, and so one copy inside a monitor:
    // Wine copies nothing of a source that leaves the screen.
    for (std::size_t i = 0; i < monitors.count; ++i) {
        const ScreenRect& m = monitors.rects[i];
        const RECT monitor{m.left, m.top, m.right, m.bottom};
        RECT part;
        if (!IntersectRect(&part, &monitor, &clip)) continue;
        BitBlt(area.memory, part.left - square.left, part.top - square.top, part.right - part.left,
               part.bottom - part.top, screen, part.left, part.top, kCaptureRop);
    }
    GdiFlush();  // the copy has landed in the bits before they are read
    return AreaMean(area.bits, square, monitors.rects, monitors.count);
}

}  // namespace tintora
