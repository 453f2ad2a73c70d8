// The options dialog: edits the settings in the state record and writes them when saved.
#pragma once

#include <windows.h>

namespace tintora {

// Runs the dialog modally over the main window; returns when it has closed.
void RunOptionsDialog();
INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tintora
