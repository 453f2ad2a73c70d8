#pragma once

#include <windows.h>

namespace tintora {

// Repaints the six memo swatches and saves the six memo keys whenever a memo changed.
DWORD WINAPI MemoThread(void* mainWindow);

// Puts the six memo keys among the keys to write when a memo change is not saved yet or a pass is
// under way. The exit command calls it before its last write, so a memo stored just before the
// end is kept, while memo keys edited by hand meanwhile are not overwritten without need.
void SavePendingMemos();

}  // namespace tintora
