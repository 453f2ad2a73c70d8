// The main window's place on the screen: restored and saved through the settings, kept on the
// work area's edges while dragged, and dragged from anywhere on its face.
#pragma once

#include <windows.h>

namespace tintora {

// Moves the window to the saved "x" and "y", kept inside the work area of its monitor.
void RestoreWindowPosition(HWND window);
// Writes the window's top-left corner as "x" and "y".
void SaveWindowPosition(HWND window);
// Adjusts the rectangle of a window being dragged (WM_MOVING) onto nearby work-area edges.
void SnapToWorkArea(HWND window, RECT* r, unsigned distance);
// Starts the system's move loop as if the caption had been grabbed.
void BeginWindowDrag(HWND window);

}  // namespace tintora
