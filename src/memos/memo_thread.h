#pragma once

#include <windows.h>

namespace tintora {

// Repaints the six memo swatches and saves the six memo keys whenever a memo changed.
DWORD WINAPI MemoThread(void* mainWindow);

// Writes the six memo keys in one replace when a memo change is not saved yet or a pass is under
// way. The exit command calls it, so a memo stored just before the end is kept, while memo keys
// edited by hand meanwhile are not overwritten without need.
void SavePendingMemos();

}  // namespace tintora
