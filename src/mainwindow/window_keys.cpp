#include "mainwindow/window_keys.h"

#include <windowsx.h>

#include "app/app_state.h"
#include "magnifier/magnifier.h"
#include "mainwindow/cursor_step.h"
#include "memos/clipboard_copy.h"
#include "sampling/area_mean.h"
#include "settings/settings_load.h"
#include "settings/settings_rules.h"

namespace tintora {

namespace {

// An arrow moves the cursor by one physical pixel, with Shift by ten.
constexpr std::int32_t kShiftStep = 10;

struct ArrowKey {
    WPARAM key;
    std::int32_t dx, dy;
};
constexpr ArrowKey kArrowKeys[] = {
    {VK_LEFT, -1, 0}, {VK_RIGHT, 1, 0}, {VK_UP, 0, -1}, {VK_DOWN, 0, 1},
};

constexpr WPARAM kCopyKey = 'C';
// [ and ] make the averaged square smaller and larger.
constexpr WPARAM kSmallerAreaKey = VK_OEM_4;
constexpr WPARAM kLargerAreaKey = VK_OEM_6;

bool Held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

void MoveCursorBy(std::int32_t dx, std::int32_t dy) {
    POINT at;
    if (!GetCursorPos(&at)) return;
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const Box screen{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    const CursorPoint to = StepCursor({at.x, at.y}, dx, dy, screen);
    SetCursorPos(to.x, to.y);
}

// The sampler takes the new side in its next cycle.
void StepSampleAverage(int steps) {
    const int side = SteppedAverageSide(app.sampleAverage.load(), steps);
    if (side == app.sampleAverage.load()) return;
    app.sampleAverage = side;
    WriteSettingUnsigned(settings::kAverageSetting.key, static_cast<std::uint32_t>(side));
}

}  // namespace

bool OnMainWindowKey(WPARAM key) {
    for (const ArrowKey& arrow : kArrowKeys) {
        if (arrow.key != key) continue;
        const std::int32_t step = Held(VK_SHIFT) ? kShiftStep : 1;
        MoveCursorBy(arrow.dx * step, arrow.dy * step);
        return true;
    }
    switch (key) {
    case kCopyKey:
        // Ctrl+C copies the colour as the copy hotkey does, Ctrl+Shift+C the six memos. Never
        // with Alt: Ctrl+Alt+C is the default copy hotkey, which stays inert when another
        // program holds it.
        if (!Held(VK_CONTROL) || Held(VK_MENU)) return false;
        if (Held(VK_SHIFT)) CopyPaletteToClipboard();
        else CopyColorToClipboard();
        return true;
    case VK_OEM_PLUS:
    case VK_ADD:
        StepMagnifierRate(1);
        return true;
    case VK_OEM_MINUS:
    case VK_SUBTRACT:
        StepMagnifierRate(-1);
        return true;
    case kSmallerAreaKey:
        StepSampleAverage(-1);
        return true;
    case kLargerAreaKey:
        StepSampleAverage(1);
        return true;
    default:
        return false;
    }
}

void OnMainWindowWheel(HWND window, WPARAM wParam, LPARAM lParam) {
    // Windows 10 sends the wheel to the window under the pointer even when it is not active:
    // like the keys, it counts only while the window is.
    RECT r;
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (GetForegroundWindow() != window || !GetWindowRect(window, &r) || !PtInRect(&r, at)) return;
    // A fine-grained wheel sends parts of a notch: they add up to whole steps.
    app.wheelTurn += GET_WHEEL_DELTA_WPARAM(wParam);
    const int steps = app.wheelTurn / WHEEL_DELTA;
    app.wheelTurn -= steps * WHEEL_DELTA;
    if (steps == 0) return;
    // With Ctrl the wheel sizes the averaged square instead.
    if (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) StepSampleAverage(steps);
    else StepMagnifierRate(steps);
}

}  // namespace tintora
