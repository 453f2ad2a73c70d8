#include "sampling/sampler_thread.h"

#include "app/app_state.h"
#include "app/window_messages.h"
#include "app/system_library.h"
#include "resources/resource_ids.h"
#include "sampling/area_capture.h"
#include "sampling/color_analysis.h"
#include "sampling/pixel_capture.h"

namespace tintora {

namespace {

constexpr DWORD kCyclePauseMs = 10;
constexpr DWORD kHiddenPauseMs = 70;
constexpr DWORD kRepaintPauseMs = 70;

// The light-weight shell utility library is loaded by this thread at its first readout, so the
// window does not wait for it at start-up.
constexpr char kUtilityLibrary[] = "shlwapi.dll";
constexpr char kHlsName[] = "ColorRGBToHLS";
using HlsFunction = void(WINAPI*)(COLORREF, WORD*, WORD*, WORD*);

enum Hint : std::uint8_t { kNoHint = 0, kSwatchHintShown = 1, kWindowHintShown = 2 };
enum class Outcome { kPlain, kSwatchHint, kWindowHint };

Outcome Classify(POINT point) {
    const HWND window = WindowFromPoint(point);
    if (!window || window == app.ownDialog.load()) return Outcome::kPlain;
    if (window == app.mainWindow) return Outcome::kWindowHint;
    const HWND parent = GetParent(window);
    if (!parent || parent != app.mainWindow) return Outcome::kPlain;
    const auto id = static_cast<unsigned>(GetDlgCtrlID(window));
    return id >= IDC_MEMO_FIRST && id <= IDC_MEMO_LAST ? Outcome::kSwatchHint : Outcome::kWindowHint;
}

void ShowHint(Outcome outcome) {
    if (outcome == Outcome::kSwatchHint && app.hintShown != kSwatchHintShown) {
        SetDlgItemTextA(app.mainWindow, IDC_INFO, kSwatchHint);
        app.hintShown = kSwatchHintShown;
    } else if (outcome == Outcome::kWindowHint && app.hintShown != kWindowHintShown) {
        char textBuffer[kTextSize];
        FormatWindowHint(textBuffer, sizeof textBuffer, app.copyHotkey.load());
        SetDlgItemTextA(app.mainWindow, IDC_INFO, textBuffer);
        app.hintShown = kWindowHintShown;
    }
}

COLORREF Analyse(COLORREF pixel) {
    if (app.webSafe.load() != 1) return pixel;
    const Channels c = SplitColor(pixel);
    return JoinColor({RoundWebSafe(c.red), RoundWebSafe(c.green), RoundWebSafe(c.blue)});
}

void WriteReadout(COLORREF color, int side) {
    static const auto colorToHls = SystemFunction<HlsFunction>(kUtilityLibrary, kHlsName);
    WORD hue = 0, luminance = 0, saturation = 0;
    if (colorToHls) colorToHls(color, &hue, &luminance, &saturation);
    app.hue = hue;
    app.luminance = luminance;
    app.saturation = saturation;
    char textBuffer[kTextSize];
    FormatReadout(textBuffer, sizeof textBuffer, app.samplePoint.x, app.samplePoint.y, SplitColor(color),
                  {app.hue, app.luminance, app.saturation}, static_cast<std::uint32_t>(side));
    SetDlgItemTextA(app.mainWindow, IDC_INFO, textBuffer);
    app.hintShown = kNoHint;
}

void RepaintPreview(COLORREF color) {
    const HBRUSH brush = CreateSolidBrush(color);
    if (!brush) return;
    const HBRUSH replaced = app.previewBrush.exchange(brush);
    InvalidateRect(app.previewControl, nullptr, FALSE);
    Sleep(kRepaintPauseMs);
    RetireBrush(replaced);
}

// One cycle with the screen context taken; the caller releases it and pauses.
void SampleOnce() {
    app.cursorOverOwnWindow = 0;
    if (!GetCursorPos(&app.samplePoint)) return;
    if (app.useShift.load() != 0) {
        app.samplePoint.x += app.shiftX.load();
        app.samplePoint.y += app.shiftY.load();
    }
    const Outcome outcome = Classify(app.samplePoint);
    if (outcome != Outcome::kPlain) {
        app.cursorOverOwnWindow = 1;
        ShowHint(outcome);
    }

    // One pixel as ever, or the mean of the square around it.
    const int side = app.sampleAverage.load();
    const COLORREF pixel = side > 1 ? CaptureAreaMean(app.screenDC, app.samplePoint, side)
                                    : CapturePixel(app.screenDC, app.samplePoint);
    if (pixel == CLR_INVALID) return;  // a failed capture changes nothing
    // The colour this pixel gives, not the raw pixel, is compared with the current colour: with
    // web-safe rounding a resting cursor would otherwise count as a change in every cycle and
    // undo a memo click's copy channels, while switching the rounding still counts as one.
    const COLORREF color = Analyse(pixel);
    // A new square under a resting cursor is a new sample too: the readout names it.
    if (app.samplePoint.x == app.lastSampleX && app.samplePoint.y == app.lastSampleY && side == app.lastSampleSide &&
        color == LoadSample().current) {
        return;
    }

    app.lastSampleX = app.samplePoint.x;
    app.lastSampleY = app.samplePoint.y;
    app.lastSampleSide = side;
    app.colorSample = PackSample({color, color});
    if (!app.cursorOverOwnWindow) WriteReadout(color, side);
    RepaintPreview(color);
}

}  // namespace

DWORD WINAPI SamplerThread(void*) {
    app.lastSampleSide = app.sampleAverage.load();  // the first cycle compares as it always has
    for (;;) {
        while (app.windowShown.load() != 1) Sleep(kHiddenPauseMs);
        app.screenDC = GetDC(nullptr);
        if (app.screenDC) {
            SampleOnce();
            ReleaseDC(nullptr, app.screenDC);
        }
        Sleep(kCyclePauseMs);
    }
}

}  // namespace tintora
