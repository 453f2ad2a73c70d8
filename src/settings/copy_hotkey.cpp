#include "settings/copy_hotkey.h"

#include <windows.h>

#include "app/app_state.h"

namespace tintora {

bool RegisterCopyHotkey(std::uint32_t code) {
    return RegisterHotKey(app.mainWindow, kCopyHotkeyId, code & 0xFFu, (code >> 8) & 0xFFu) != FALSE;
}

void RegisterCopyHotkeyAtStartUp() {
    const std::uint32_t code = app.copyHotkey.load();
    if (code != 0 && !RegisterCopyHotkey(code)) {
        MessageBoxA(app.mainWindow, kHotkeyFailureText, kHotkeyFailureCaption, MB_ICONERROR | MB_OK);
    }
}

}  // namespace tintora
