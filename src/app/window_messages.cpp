#include "app/window_messages.h"

#include "app/app_state.h"

namespace tintora {

void RetireBrush(HBRUSH brush) {
    if (!brush) return;
    // Without a UI thread to take it no paint can use it either.
    if (!PostMessageA(app.mainWindow, kDeleteReplacedBrushMessage, reinterpret_cast<WPARAM>(brush), 0)) {
        DeleteObject(brush);
    }
}

}  // namespace tintora
