#pragma once

#include <windows.h>

namespace tintora {

// Repaints the six memo swatches and saves the six memo keys whenever a memo changed.
DWORD WINAPI MemoThread(void* mainWindow);

}  // namespace tintora
