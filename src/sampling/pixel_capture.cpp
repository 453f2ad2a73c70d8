#include "sampling/pixel_capture.h"

namespace tintora {

namespace {

constexpr DWORD kCaptureRop = SRCCOPY | CAPTUREBLT;  // layered windows count in the sample

}  // namespace

COLORREF CapturePixel(HDC screen, POINT point, BitmapMaker makeBitmap) {
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = makeBitmap(screen, 1, 1);
    COLORREF pixel = CLR_INVALID;
    if (bitmap) {  // without a memory context every step below fails and reads as CLR_INVALID
        const HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, 1, 1, screen, point.x, point.y, kCaptureRop);
        pixel = GetPixel(memory, 0, 0);
        SelectObject(memory, previous);
    }
    DeleteDC(memory);
    DeleteObject(bitmap);
    return pixel;
}

}  // namespace tintora
