// The magnifier panel: the right-hand part of the main window, showing the desktop around the
// cursor enlarged, repainted by a timer on the UI thread.
#pragma once

#include <windows.h>

namespace tintora {

// Start-up: the device contexts of the view and of the desktop, held for the whole run.
void OpenMagnifierView(HWND mainWindow);
// Widens the window and starts the timer, or narrows it and stops it; saves the state as "zoom".
void ToggleMagnifier();
// Starts the timer afresh with the present update rate.
void RestartMagnifierTimer();
void CALLBACK MagnifierTimerProc(HWND, UINT, UINT_PTR, DWORD);

}  // namespace tintora
