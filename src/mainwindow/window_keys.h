// The keys of the main window, which reach it only while it is the active window: the arrows
// move the cursor, Ctrl+C copies, + and - and the mouse wheel change the magnification, [ and ]
// and Ctrl + the wheel the side of the averaged square.
#pragma once

#include <windows.h>

namespace tintora {

// What the window asks of the dialog manager: the arrow keys and Tab for itself, so that they
// reach it instead of moving the focus between its statics.
constexpr LRESULT kMainWindowDialogCode = DLGC_WANTARROWS | DLGC_WANTTAB;

// WM_KEYDOWN, repeats included; true when the key was one of the window's own.
bool OnMainWindowKey(WPARAM key);
// WM_MOUSEWHEEL: one magnification step per notch (with Ctrl one step of the averaged square)
// while the window is active and the pointer is over it.
void OnMainWindowWheel(HWND window, WPARAM wParam, LPARAM lParam);

}  // namespace tintora
