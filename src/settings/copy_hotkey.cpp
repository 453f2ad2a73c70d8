#include "settings/copy_hotkey.h"

#include "app/app_state.h"
#include "settings/hotkey_code.h"

namespace tintora {

namespace {

int ReportRefusedHotkey(HWND owner, UINT buttons) {
    return MessageBoxA(owner, kHotkeyFailureText, kHotkeyFailureCaption, MB_ICONERROR | buttons);
}

}  // namespace

bool RegisterCopyHotkey(std::uint32_t code) {
    return RegisterHotKey(app.mainWindow, kCopyHotkeyId, HotkeyModifiers(code), HotkeyKey(code)) != FALSE;
}

void RegisterCopyHotkeyAtStartUp() {
    const std::uint32_t code = app.copyHotkey.load();
    if (code != 0 && !RegisterCopyHotkey(code)) ReportRefusedHotkey(app.mainWindow, MB_OK);
}

int ReplaceCopyHotkey(HWND owner, std::uint32_t code, UINT buttons) {
    UnregisterHotKey(app.mainWindow, kCopyHotkeyId);
    if (code == 0 || RegisterCopyHotkey(code)) return IDOK;
    return ReportRefusedHotkey(owner, buttons);
}

}  // namespace tintora
