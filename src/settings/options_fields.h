// Moving the settings between the state record and the options dialog's controls.
#pragma once

#include <windows.h>

namespace tintora {

// Shows the present settings.
void FillOptions(HWND dialog);
// The shift fields, their spins and labels follow the "Shift from cursor" box.
void EnableShiftControls(HWND dialog, bool enable);
// Takes and writes every setting, then the copy hotkey; false when the person chose to stay in
// the dialog after the hotkey was refused.
bool SaveOptions(HWND dialog);

}  // namespace tintora
