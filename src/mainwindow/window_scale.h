// The main window at its display's scale: fixed pixel sizes, the readout font and the button
// pictures follow the window's DPI, at start-up and whenever it changes.
#pragma once

#include <windows.h>

#include "magnifier/zoom_math.h"

namespace tintora {

// Start-up: records the layout the template came out with and sets the readout font and the
// button pictures for the window's DPI.
void PrepareScaling(HWND window);
// WM_DPICHANGED: the DPI in wParam, the suggested outer rectangle in lParam. The window goes to
// the suggested place at the size its panel state asks for at that DPI.
void OnDpiChanged(HWND window, WPARAM wParam, LPARAM lParam);
// The window's outer sizes, magnifier panel hidden and shown, at its present DPI.
ZoomWindowSize MainWindowSizes();

}  // namespace tintora
