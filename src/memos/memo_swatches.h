// The six memo slots: what the memo hotkeys and the mouse do to them.
#pragma once

#include <windows.h>

namespace tintora {

constexpr COLORREF kMemoWhite = 0xFFFFFF;

// Ctrl+Alt+1 ... Ctrl+Alt+6 as hotkeys 200 ... 205; a combination taken elsewhere stays inert.
void RegisterMemoHotkeys(HWND window);
bool IsMemoId(int id);

// Every change of a memo colour by the user: the memo thread repaints and saves it.
void SetMemo(int slot, COLORREF color);
void StoreCurrentColorInMemo(int slot);
void ResetMemo(int slot);
// Copies the memo's colour through the copy template; the copy hotkey then copies it again
// until the sampler takes a new colour.
void CopyMemoColor(int slot);

}  // namespace tintora
