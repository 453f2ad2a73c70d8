// Sets the scene for the README's picture and saves it (scripts/screenshot.sh): the picker with
// its magnifier open over a colour wheel, colours in its memos, and the cursor beside it.
// Usage: screenshot_scene OUTPUT.bmp
#include "harness.h"
#include "resources/resource_ids.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr char kWheelClass[] = "TintoraScreenshotWheel";
constexpr RECT kWheelRect{100, 120, 1180, 900};
constexpr POINT kWheelCentre{500, 540};
// The cursor rests a little off the wheel's centre, so the magnifier shows every hue meeting.
constexpr POINT kCursor{kWheelCentre.x + 4, kWheelCentre.y - 3};
constexpr POINT kPicker{560, 360};
constexpr double kSaturation = 0.85;
constexpr int kRingSpacing = 36;  // pixels between the faint rings that give the wheel depth
constexpr int kRingWidth = 3;
constexpr double kRingValue = 0.88;
// Around the window: room for the wheel and, below left, the cursor.
constexpr int kMargin = 36;
constexpr int kCursorRoom = 60;
constexpr int kTimeoutMs = 10000;
// Memo colours: a palette as a person might have collected it.
constexpr COLORREF kMemos[] = {RGB(0xFF, 0x6F, 0x59), RGB(0xFF, 0xB6, 0x27), RGB(0x2E, 0xC4, 0x6D),
                               RGB(0x1C, 0xB2, 0xA4), RGB(0x3A, 0x86, 0xFF), RGB(0x8A, 0x5C, 0xE6)};
constexpr int kInsideSwatch = 4;  // pixels in from a memo's outer edge, past its frame
constexpr int kChannelSpread = 100;  // a colour whose channels differ this much is no grey

COLORREF WheelColor(int x, int y) {
    const double dx = x - kWheelCentre.x, dy = y - kWheelCentre.y;
    const double hue = std::fmod(std::atan2(dy, dx) / std::numbers::pi * 3 + 6, 6);  // in sixths of the circle
    const double radius = std::hypot(dx, dy);
    const double value = static_cast<int>(radius) % kRingSpacing < kRingWidth ? kRingValue : 1.0;
    const int sector = static_cast<int>(hue) % 6;
    const double f = hue - std::floor(hue);
    const double p = value * (1 - kSaturation), q = value * (1 - kSaturation * f),
                 t = value * (1 - kSaturation * (1 - f));
    const double rgb[6][3] = {{value, t, p}, {q, value, p}, {p, value, t},
                              {p, q, value}, {t, p, value}, {value, p, q}};
    auto byte = [](double c) { return static_cast<BYTE>(std::lround(c * 255)); };
    return RGB(byte(rgb[sector][0]), byte(rgb[sector][1]), byte(rgb[sector][2]));
}

LRESULT CALLBACK WheelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
    e2e::PaintByScreenPosition(window, WheelColor);
    return 0;
}

struct Wheel {
    HANDLE ready = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HWND window = nullptr;
};

DWORD WINAPI WheelThread(void* wheel) {
    auto* w = static_cast<Wheel*>(wheel);
    e2e::RunFixtureWindow(kWheelClass, WheelProc, kWheelRect, 0, w->ready, &w->window);
    return 0;
}

// Shows the wheel, runs the scene, and closes the wheel again before the process ends.
int WithWheel(int (*scene)(const char*), const char* output) {
    Wheel wheel;
    const HANDLE thread = CreateThread(nullptr, 0, WheelThread, &wheel, 0, nullptr);
    WaitForSingleObject(wheel.ready, kTimeoutMs);
    const int status = scene(output);
    PostMessageA(wheel.window, WM_CLOSE, 0, 0);
    WaitForSingleObject(thread, kTimeoutMs);
    CloseHandle(thread);
    CloseHandle(wheel.ready);
    return status;
}

// The side of the averaged square the picture shows.
constexpr int kAverageSide = 5;

std::string Settings() {
    std::string text = "[options]\r\n";
    for (std::size_t i = 0; i < std::size(kMemos); ++i) {
        text += "memo" + std::to_string(i + 1) + "=" + std::to_string(kMemos[i]) + "\r\n";
    }
    // The magnifier outlines the averaged square around its crosshair; the preview shows the
    // contrast with the first memo.
    text += "average=" + std::to_string(kAverageSide) + "\r\ncontrast=1\r\nzoom=1\r\nx=" + std::to_string(kPicker.x) + "\r\ny=" + std::to_string(kPicker.y) + "\r\n";
    return text;
}

bool Colourful(COLORREF c) {
    const int channels[] = {GetRValue(c), GetGValue(c), GetBValue(c)};
    return *std::max_element(std::begin(channels), std::end(channels)) -
               *std::min_element(std::begin(channels), std::end(channels)) >= kChannelSpread;
}

// What a person would see once the picker has settled: the readout of the pixel under the
// cursor, the memos in their colours and the magnifier showing the hues around the cursor.
bool Settled(const e2e::Program& picker) {
    const std::string readout = "Avg " + std::to_string(kAverageSide) + "x" + std::to_string(kAverageSide) + " at " + std::to_string(kCursor.x) + ":" + std::to_string(kCursor.y);
    if (picker.InfoText().rfind(readout, 0) != 0) return false;
    for (int id = IDC_MEMO_FIRST; id <= IDC_MEMO_LAST; ++id) {
        const RECT memo = e2e::WindowRect(picker.control(id));
        // The number sits in the top-left corner on a plain background; the colour fills the rest.
        const COLORREF shown = e2e::ScreenPixel(memo.right - kInsideSwatch, memo.bottom - kInsideSwatch);
        if (shown != kMemos[id - IDC_MEMO_FIRST]) return false;
    }
    const POINT view = e2e::Centre(picker.control(IDC_ZOOM_VIEW));
    const int reach = (e2e::WindowRect(picker.control(IDC_ZOOM_VIEW)).right - view.x) / 2;
    std::vector<COLORREF> seen;
    for (const POINT corner : {POINT{-1, -1}, POINT{1, -1}, POINT{-1, 1}, POINT{1, 1}}) {
        const COLORREF c = e2e::ScreenPixel(view.x + corner.x * reach, view.y + corner.y * reach);
        if (!Colourful(c) || std::find(seen.begin(), seen.end(), c) != seen.end()) return false;
        seen.push_back(c);
    }
    return true;
}

bool WriteBmp(const char* path, HDC dc, HBITMAP bitmap, int width, int height) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;  // bottom-up rows, as a BMP file keeps them
    header.biPlanes = 1;
    header.biBitCount = 24;
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    std::vector<BYTE> bits(stride * height);
    GetDIBits(dc, bitmap, 0, height, bits.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + bits.size());
    std::FILE* out = std::fopen(path, "wb");
    if (!out) return false;
    const bool written = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&header, sizeof header, 1, out) == 1 &&
                         std::fwrite(bits.data(), 1, bits.size(), out) == bits.size();
    return std::fclose(out) == 0 && written;
}

// The screen inside area, with the arrow cursor drawn where it rests: a capture leaves it out.
bool SaveScreen(const char* path, RECT area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    const HCURSOR arrow = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    ICONINFO hotspot{};
    GetIconInfo(arrow, &hotspot);
    DrawIconEx(memory, kCursor.x - area.left - static_cast<int>(hotspot.xHotspot),
               kCursor.y - area.top - static_cast<int>(hotspot.yHotspot), arrow, 0, 0, 0, nullptr, DI_NORMAL);
    if (hotspot.hbmMask) DeleteObject(hotspot.hbmMask);
    if (hotspot.hbmColor) DeleteObject(hotspot.hbmColor);
    SelectObject(memory, old);
    const bool saved = WriteBmp(path, memory, bitmap, width, height);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}

int Scene(const char* output) {
    if (!e2e::WaitFor([] { return e2e::ScreenPixel(kCursor.x, kCursor.y) == WheelColor(kCursor.x, kCursor.y); },
                      kTimeoutMs)) {
        std::fprintf(stderr, "the colour wheel did not show\n");
        return 1;
    }

    const e2e::Sandbox sandbox(Settings());
    const e2e::Program picker(sandbox);
    if (!picker.window()) {
        std::fprintf(stderr, "the picker did not start\n");
        return 1;
    }
    e2e::MoveCursor(kCursor.x, kCursor.y);
    if (!e2e::WaitFor([&] { return Settled(picker); }, kTimeoutMs)) {
        std::fprintf(stderr, "the picker did not settle: %s\n", picker.InfoText().c_str());
        return 1;
    }

    const RECT window = e2e::WindowRect(picker.window());
    const RECT area{kCursor.x - kCursorRoom, window.top - kMargin, window.right + kMargin, kCursor.y + kCursorRoom};
    if (!SaveScreen(output, area)) {
        std::fprintf(stderr, "cannot write %s\n", output);
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshot_scene OUTPUT.bmp\n");
        return 2;
    }
    return WithWheel(Scene, argv[1]);
}
