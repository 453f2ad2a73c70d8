// The About box: a message box owned by the main window that moves when dragged anywhere.
#pragma once

#include <windows.h>

namespace tintora {

// Shows the box and returns once it is closed; nothing while the window is hidden or a box is
// already open.
void ShowAboutBox(HWND window);

// Catches the box as it is activated, to subclass it and keep it on top.
LRESULT CALLBACK AboutHookProc(int code, WPARAM wParam, LPARAM lParam);
// The box's subclass: a press on its surface starts moving it.
LRESULT CALLBACK AboutBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tintora
