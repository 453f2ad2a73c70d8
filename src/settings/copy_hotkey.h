// The system-wide hotkey that copies the colour, held by the main window.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tintora {

constexpr int kCopyHotkeyId = 1;

// Lets go of the present copy hotkey and takes the one of code (none for 0). When the system
// refuses it, says so in a message box owned by owner, with the given buttons, and returns the
// answer; IDOK when there was nothing to say.
int RegisterCopyHotkey(HWND owner, std::uint32_t code, UINT buttons);

}  // namespace tintora
