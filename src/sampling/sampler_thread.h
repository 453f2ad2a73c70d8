#pragma once

#include <windows.h>

namespace tintora {

// Posted to the main window with a replaced preview brush in wParam. Deleting it on the UI
// thread, after every paint that could have taken it, keeps a brush alive while it may be used.
constexpr UINT kDeletePreviewBrushMessage = WM_APP + 1;

// Reads the pixel under the cursor for ever while the window is shown, and keeps the readout,
// the preview swatch and the current colour up to date.
DWORD WINAPI SamplerThread(void* mainWindow);

}  // namespace tintora
