// Editing a memo colour in the system's colour dialog.
#pragma once

#include <windows.h>

namespace tintora {

// Opens the chooser on the memo's colour; OK stores the chosen colour, anything else nothing.
void ChooseMemoColor(int slot);
UINT_PTR CALLBACK ChooserHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void CenterWindowOnScreen(HWND window);

}  // namespace tintora
