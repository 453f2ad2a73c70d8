#include "sampling/pixel_capture.h"

namespace tintora {

namespace {

constexpr DWORD kCaptureRop = SRCCOPY | CAPTUREBLT;  // layered windows count in the sample

}  // namespace

COLORREF CapturePixel(HDC screen, POINT point, BitmapMaker makeBitmap) {
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = memory ? makeBitmap(screen, 1, 1) : nullptr;
    const HGDIOBJ previous = bitmap ? SelectObject(memory, bitmap) : nullptr;
    COLORREF pixel = CLR_INVALID;
    if (previous) {
        BitBlt(memory, 0, 0, 1, 1, screen, point.x, point.y, kCaptureRop);
        pixel = GetPixel(memory, 0, 0);
        SelectObject(memory, previous);
    }
    if (memory) DeleteDC(memory);
    if (bitmap) DeleteObject(bitmap);
    return pixel;
}

}  // namespace tintora
