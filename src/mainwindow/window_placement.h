// The main window's place on the screen: restored and saved through the settings, kept on the
// work area's edges while dragged.
#pragma once

#include <windows.h>

namespace tintora {

// Moves the window to the saved "x" and "y", kept inside the work area of its monitor.
void RestoreWindowPosition(HWND window);
// Writes the window's top-left corner as "x" and "y".
void SaveWindowPosition(HWND window);
// Adjusts the rectangle of a window being dragged (WM_MOVING) onto nearby work-area edges.
void SnapToWorkArea(HWND window, RECT* r, unsigned distance);

}  // namespace tintora
