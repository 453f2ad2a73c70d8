// Captionless windows are dragged by their body: the main window, the options dialog and the
// About box.
#pragma once

#include <windows.h>

namespace tintora {

// Starts the system's move loop as if the caption had been grabbed.
void BeginWindowDrag(HWND window);

}  // namespace tintora
