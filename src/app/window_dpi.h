// The DPI a window is shown at.
#pragma once

#include <windows.h>

namespace tintora {

// The window's own DPI where the system can tell (Windows 10 1607 on), else its monitor's
// (Windows 8.1 on), else the system's.
UINT WindowDpi(HWND window);

}  // namespace tintora
