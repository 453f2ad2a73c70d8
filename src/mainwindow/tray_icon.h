// Hiding the main window to the notification area and bringing it back from there.
#pragma once

#include <windows.h>

namespace tintora {

// The message the notification-area icon sends to the main window.
constexpr UINT kTrayNotifyMessage = WM_USER + 702;

// Prepares the icon's registration once; every add and delete passes it unchanged.
void FillTrayIconData(HWND window);
// Esc, closing and the bar-glyph button: the window goes, the icon comes.
void HideToTray(HWND window);
// The icon goes, the window comes back.
void RestoreFromTray(HWND window);
// A mouse event on the icon: a press arms it, a later release restores the window.
void OnTrayNotify(HWND window, WPARAM iconId, LPARAM mouseMessage);
// The taskbar was (re)created and may have lost the icon: register it again while hidden.
void OnTaskbarCreated();

}  // namespace tintora
