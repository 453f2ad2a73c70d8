#include <windows.h>
#include <commctrl.h>

#include "app/app_state.h"
#include "resources/resource_ids.h"
#include "settings/copy_hotkey.h"
#include "settings/hotkey_code.h"
#include "settings/options_fields.h"
#include "settings/settings_load.h"
#include "settings/settings_rules.h"

namespace tintora {

namespace {

int Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0; }

int SignedField(HWND dialog, int id) { return static_cast<int>(GetDlgItemInt(dialog, id, nullptr, TRUE)); }

int UnsignedField(HWND dialog, int id) { return static_cast<int>(GetDlgItemInt(dialog, id, nullptr, FALSE)); }

}  // namespace

bool SaveOptions(HWND dialog) {
    // Each value goes into the state record before its key is written.
    app.captureTransparent = Checked(dialog, IDC_OPT_TRANSPARENT);
    WriteSettingUnsigned(settings::kTransparentSetting.key, static_cast<std::uint32_t>(app.captureTransparent));
    app.useShift = Checked(dialog, IDC_OPT_USE_SHIFT);
    WriteSettingUnsigned(settings::kUseShiftSetting.key, static_cast<std::uint32_t>(app.useShift.load()));
    app.webSafe = Checked(dialog, IDC_OPT_WEB_SAFE);
    WriteSettingUnsigned(settings::kWebSetting.key, static_cast<std::uint32_t>(app.webSafe.load()));
    app.shiftX = SignedField(dialog, IDC_OPT_SHIFT_X);
    WriteSettingSigned(settings::kShiftXSetting.key, app.shiftX);
    app.shiftY = SignedField(dialog, IDC_OPT_SHIFT_Y);
    WriteSettingSigned(settings::kShiftYSetting.key, app.shiftY);
    GetDlgItemTextA(dialog, IDC_OPT_FORMAT, app.copyFormat, sizeof app.copyFormat);
    WriteSettingText(settings::kFormatKey, app.copyFormat);
    app.zoomUpdateMs = UnsignedField(dialog, IDC_OPT_UPDATE_RATE);
    WriteSettingUnsigned(settings::kZoomUpdateSetting.key, static_cast<std::uint32_t>(app.zoomUpdateMs));
    app.zoomRate = UnsignedField(dialog, IDC_OPT_ZOOM_RATE);
    WriteSettingUnsigned(settings::kZoomRateSetting.key, static_cast<std::uint32_t>(app.zoomRate));

    const auto control = static_cast<std::uint32_t>(SendDlgItemMessageA(dialog, IDC_OPT_HOTKEY, HKM_GETHOTKEY, 0, 0));
    const std::uint32_t code = HotkeyCodeFromControl(control, Checked(dialog, IDC_OPT_WIN) != 0);
    app.copyHotkey = code;
    WriteSettingUnsigned(settings::kCopySetting.key, code);
    return ReplaceCopyHotkey(dialog, code, MB_OKCANCEL) != IDCANCEL;
}

}  // namespace tintora
