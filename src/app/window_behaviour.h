// What every window of the program does alike: the main window, the options dialog and the
// About box.
#pragma once

#include <windows.h>

namespace tintora {

// Starts the system's move loop as if the caption had been grabbed: captionless windows are
// dragged by their body.
void BeginWindowDrag(HWND window);

}  // namespace tintora
