// The one subclass of the main window's clickable controls: a hand cursor over all eleven, and
// the mouse actions of the six memo swatches.
#pragma once

#include <windows.h>

namespace tintora {

// Subclasses the image buttons and then the memo swatches, in that order.
void SubclassControls(HWND window);
LRESULT CALLBACK ControlSubclassProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tintora
