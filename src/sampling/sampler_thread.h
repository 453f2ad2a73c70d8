#pragma once

#include <windows.h>

namespace tintora {

// Reads the pixel under the cursor for ever while the window is shown, and keeps the readout,
// the preview swatch and the current colour up to date.
DWORD WINAPI SamplerThread(void* mainWindow);

}  // namespace tintora
