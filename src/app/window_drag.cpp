#include "app/window_drag.h"

namespace tintora {

namespace {

// SC_MOVE with the caption's hit-test code in its low bits: a move driven by the mouse.
constexpr WPARAM kMoveByMouse = SC_MOVE | HTCAPTION;

}  // namespace

void BeginWindowDrag(HWND window) {
    ReleaseCapture();
    SendMessageA(window, WM_SYSCOMMAND, kMoveByMouse, 0);
}

}  // namespace tintora
