// The magnifier panel: the right-hand part of the main window, showing the desktop around the
// cursor enlarged, repainted by a timer on the UI thread.
#pragma once

#include <windows.h>

#include "magnifier/zoom_math.h"

namespace tintora {

// Start-up: the device contexts of the view and of the desktop, held for the whole run. Called
// again when the view has been laid out anew, it measures it again.
void OpenMagnifierView(HWND mainWindow);
// Gives the window the size the panel's state asks for at its DPI, when it has another; with a
// place, moves its top-left corner there too.
void FitWindowToPanel(const RECT* place);
// Widens the window and starts the timer, or narrows it and stops it; saves the state as "zoom".
void ToggleMagnifier();
// Changes the magnification by steps within its limits and saves it as "zoomrate"; the view
// shows it from the next tick.
void StepMagnifierRate(int steps);
// Starts the timer afresh with the present update rate.
void RestartMagnifierTimer();
void CALLBACK MagnifierTimerProc(HWND, UINT, UINT_PTR, DWORD);

}  // namespace tintora
