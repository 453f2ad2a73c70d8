#pragma once

#include <windows.h>

#include "app/window_messages.h"

namespace tintora {

// The main window's dialog procedure: start-up of the whole program and its dispatcher.
INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tintora
