#pragma once

#include <windows.h>

namespace tintora {

// Repaints the six memo swatches whenever a memo changed, and saves the memo keys the user set:
// all six at the first save after start-up, then only those set in this copy.
DWORD WINAPI MemoThread(void* mainWindow);

// Puts the memo keys set by the user among the keys to write when a memo change is not saved yet or a pass is
// under way. The exit command calls it before its last write, so a memo stored just before the
// end is kept, while memo keys edited by hand meanwhile are not overwritten without need.
void SavePendingMemos();

}  // namespace tintora
