#include "settings/copy_hotkey.h"

#include "app/app_state.h"
#include "settings/hotkey_code.h"

namespace tintora {

int RegisterCopyHotkey(HWND owner, std::uint32_t code, UINT buttons) {
    UnregisterHotKey(app.mainWindow, kCopyHotkeyId);
    if (code == 0 || RegisterHotKey(app.mainWindow, kCopyHotkeyId, HotkeyModifiers(code), HotkeyKey(code))) {
        return IDOK;
    }
    return MessageBoxA(owner, kHotkeyErrorText, kHotkeyErrorCaption, MB_ICONERROR | buttons);
}

}  // namespace tintora
