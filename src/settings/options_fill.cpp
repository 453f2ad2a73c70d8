#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "app/app_state.h"
#include "resources/resource_ids.h"
#include "sampling/area_mean.h"
#include "settings/hotkey_code.h"
#include "settings/options_fields.h"
#include "settings/settings_rules.h"

namespace tintora {

namespace {

constexpr const char* kFormatPresets[] = {"RGB", "#RGB", "0x00BGR", "(r,g,b)"};
constexpr UDACCEL kUpdateStep = {0, 10};  // from the first moment, in steps of ten
constexpr UDACCEL kAverageStep = {0, kAverageSideStep};  // odd sides only
constexpr int kShiftLimit = 100;          // either way from the cursor

constexpr int kShiftControls[] = {IDC_OPT_SHIFT_X, IDC_OPT_SHIFT_X_SPIN, IDC_OPT_SHIFT_X_LABEL,
                                  IDC_OPT_SHIFT_Y, IDC_OPT_SHIFT_Y_SPIN, IDC_OPT_SHIFT_Y_LABEL};

void Check(HWND dialog, int id, bool on) { CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED); }

// The field shows what the spin holds: a saved value outside the range shows at its nearer end,
// so that saving unchanged never writes a value the dialog could not have produced.
void SetSpin(HWND dialog, int field, int spin, std::int32_t low, std::int32_t high, int value, bool isSigned,
             UDACCEL step = {}) {
    const int shown = std::clamp(value, low, high);
    SendDlgItemMessageA(dialog, spin, UDM_SETRANGE32, static_cast<WPARAM>(low), high);
    if (step.nInc != 0) SendDlgItemMessageA(dialog, spin, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
    SendDlgItemMessageA(dialog, spin, UDM_SETPOS32, 0, shown);
    SetDlgItemInt(dialog, field, static_cast<UINT>(shown), isSigned);
}

}  // namespace

void EnableShiftControls(HWND dialog, bool enable) {
    for (int id : kShiftControls) EnableWindow(GetDlgItem(dialog, id), enable);
}

void FillOptions(HWND dialog) {
    SendMessageA(dialog, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconA(app.instance, MAKEINTRESOURCEA(IDI_APP))));
    Check(dialog, IDC_OPT_USE_SHIFT, app.useShift != 0);
    EnableShiftControls(dialog, app.useShift == 1);
    Check(dialog, IDC_OPT_TRANSPARENT, app.captureTransparent != 0);
    Check(dialog, IDC_OPT_WEB_SAFE, app.webSafe != 0);

    for (const char* preset : kFormatPresets) {
        SendDlgItemMessageA(dialog, IDC_OPT_FORMAT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(preset));
    }
    SetDlgItemTextA(dialog, IDC_OPT_FORMAT, app.copyFormat);

    // The spins offer the ranges the file is read with.
    constexpr auto rate = settings::kZoomRateSetting;
    constexpr auto update = settings::kZoomUpdateSetting;
    SetSpin(dialog, IDC_OPT_ZOOM_RATE, IDC_OPT_ZOOM_RATE_SPIN, static_cast<std::int32_t>(rate.low),
            static_cast<std::int32_t>(rate.high), app.zoomRate, false);
    SetSpin(dialog, IDC_OPT_UPDATE_RATE, IDC_OPT_UPDATE_RATE_SPIN, static_cast<std::int32_t>(update.low),
            static_cast<std::int32_t>(update.high), app.zoomUpdateMs, false, kUpdateStep);
    SetSpin(dialog, IDC_OPT_SHIFT_X, IDC_OPT_SHIFT_X_SPIN, -kShiftLimit, kShiftLimit, app.shiftX, true);
    SetSpin(dialog, IDC_OPT_SHIFT_Y, IDC_OPT_SHIFT_Y_SPIN, -kShiftLimit, kShiftLimit, app.shiftY, true);
    constexpr auto average = settings::kAverageSetting;
    SetSpin(dialog, IDC_OPT_AVERAGE, IDC_OPT_AVERAGE_SPIN, static_cast<std::int32_t>(average.low),
            static_cast<std::int32_t>(average.high), app.sampleAverage, false, kAverageStep);
    Check(dialog, IDC_OPT_CONTRAST, app.showContrast != 0);

    const HotkeyControlState hotkey = HotkeyControlFromCode(app.copyHotkey);
    Check(dialog, IDC_OPT_WIN, hotkey.win);
    SendDlgItemMessageA(dialog, IDC_OPT_HOTKEY, HKM_SETHOTKEY, hotkey.value, 0);
}

}  // namespace tintora
