// Baseline for the benchmark: a window that does the magnifier's work and nothing else, one
// stretched copy from the desktop around the cursor and two lines every 50 ms.
#include <windows.h>

namespace {

constexpr UINT kIntervalMs = 50;
constexpr int kRate = 4;
constexpr int kViewSize = 99;
constexpr int kInset = 20;
HDC viewDC;
HDC desktopDC;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    POINT p;
    if (!GetCursorPos(&p)) return;
    const int source = kViewSize / kRate;
    StretchBlt(viewDC, 0, 0, kViewSize, kViewSize, desktopDC, p.x - (source >> 1), p.y - (source >> 1), source, source,
               SRCCOPY);
    MoveToEx(viewDC, kViewSize >> 1, kInset, nullptr);
    LineTo(viewDC, kViewSize >> 1, kViewSize - kInset);
    MoveToEx(viewDC, kInset, kViewSize >> 1, nullptr);
    LineTo(viewDC, kViewSize - kInset, kViewSize >> 1);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const HWND window = CreateWindowExA(WS_EX_TOPMOST, "#32770", "baseline magnifier", WS_POPUP | WS_BORDER | WS_VISIBLE,
                                        0, 300, 328, 122, nullptr, nullptr, instance, nullptr);
    const HWND view = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 222, 6, kViewSize, kViewSize, window,
                                      nullptr, instance, nullptr);
    viewDC = GetDC(view);
    desktopDC = GetDC(GetDesktopWindow());
    SetTimer(window, 1, kIntervalMs, Tick);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
