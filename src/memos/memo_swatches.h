// The six memo slots: what the memo hotkeys and the mouse do to them.
#pragma once

#include <windows.h>

namespace tintora {

constexpr COLORREF kMemoWhite = 0xFFFFFF;

// Ctrl+Alt+1 ... Ctrl+Alt+6 as hotkeys 200 ... 205; a combination taken elsewhere stays inert.
void RegisterMemoHotkeys(HWND window);
bool IsMemoId(int id);

// Storing a colour in a memo, by hotkey or colour chooser, or a left click on it makes it the
// reference the contrast compares with; a reset and a palette copy leave the reference alone.
void MakeReference(int slot);

// Every change of a memo colour by the user: the memo thread repaints and saves it.
void SetMemo(int slot, COLORREF color);
void StoreCurrentColorInMemo(int slot);
void ResetMemo(int slot);
// Copies the memo's colour through the copy template, against the reference as it was, and
// then makes the memo the reference; the copy hotkey then copies its colour again until the
// sampler takes a new colour.
void CopyMemoColor(int slot);

}  // namespace tintora
