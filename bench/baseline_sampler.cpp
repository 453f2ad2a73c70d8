// Baseline for the benchmark: a window that only captures the pixel under the cursor every
// 10 ms through a 1 x 1 bitmap, and shows the picker's five readout lines in a static text when
// it changes.
#include <windows.h>
#include <shlwapi.h>

#include <cstdio>

namespace {

constexpr DWORD kCyclePauseMs = 10;
HWND text;

DWORD WINAPI Sample(void*) {
    COLORREF last = CLR_INVALID;
    POINT lastPoint{-1, -1};
    for (;;) {
        const HDC screen = GetDC(nullptr);
        POINT p;
        GetCursorPos(&p);
        const HDC memory = CreateCompatibleDC(screen);
        const HBITMAP bitmap = CreateCompatibleBitmap(screen, 1, 1);
        const HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, 1, 1, screen, p.x, p.y, SRCCOPY | CAPTUREBLT);
        const COLORREF pixel = GetPixel(memory, 0, 0);
        SelectObject(memory, old);
        DeleteDC(memory);
        DeleteObject(bitmap);
        ReleaseDC(nullptr, screen);
        if (pixel != last || p.x != lastPoint.x || p.y != lastPoint.y) {
            WORD h = 0, l = 0, sat = 0;
            ColorRGBToHLS(pixel, &h, &l, &sat);
            char value[256];
            std::snprintf(value, sizeof value,
                          "Pixel at %ld:%ld\r\nHEX  0x%.2X%.2X%.2X\r\nHTML #%.2X%.2X%.2X\r\nRGB  (%u,%u,%u)\r\nHLS  (%u,%u,%u)",
                          p.x, p.y, GetBValue(pixel), GetGValue(pixel), GetRValue(pixel), GetRValue(pixel),
                          GetGValue(pixel), GetBValue(pixel), GetRValue(pixel), GetGValue(pixel), GetBValue(pixel), h,
                          l, sat);
            SetWindowTextA(text, value);
            last = pixel;
            lastPoint = p;
        }
        Sleep(kCyclePauseMs);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const HWND window = CreateWindowExA(WS_EX_TOPMOST, "#32770", "baseline sampler", WS_POPUP | WS_BORDER | WS_VISIBLE,
                                        0, 0, 224, 122, nullptr, nullptr, instance, nullptr);
    text = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 5, 5, 200, 60, window, reinterpret_cast<HMENU>(101),
                           instance, nullptr);
    CreateThread(nullptr, 0, Sample, nullptr, 0, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
