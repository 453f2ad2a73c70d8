// The copy hotkey: a system-wide key combination, registered on the main window as id 1.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tintora {

constexpr int kCopyHotkeyId = 1;
constexpr char kHotkeyFailureText[] = "Can't register hotkey       ";
constexpr char kHotkeyFailureCaption[] = "Error!";

// Registers the combination of a hotkey code (modifiers in bits 0-7, virtual key in 8-15).
bool RegisterCopyHotkey(std::uint32_t code);

// Start-up: registers copyHotkey unless it is 0, and says so when another program holds it.
void RegisterCopyHotkeyAtStartUp();

// The options dialog: lets go of the present combination and takes the one of code (none for 0).
// When the system refuses it, says so in a message box owned by owner, with the given buttons,
// and returns the answer; IDOK when there was nothing to say.
int ReplaceCopyHotkey(HWND owner, std::uint32_t code, UINT buttons);

}  // namespace tintora
