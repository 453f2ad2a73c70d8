#pragma once

#include <windows.h>

namespace tintora {

// Repaints the six memo swatches and saves the six memo keys whenever a memo changed.
DWORD WINAPI MemoThread(void* mainWindow);

// Writes the six memo keys in one replace, from any thread; the memo thread's passes and the
// exit command use it, so a memo stored just before the exit is kept.
void SaveMemos();

}  // namespace tintora
