#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <utility>

#include "app/app_state.h"
#include "resources/resource_ids.h"
#include "settings/copy_hotkey.h"
#include "settings/hotkey_code.h"
#include "settings/options_fields.h"
#include "settings/settings_load.h"
#include "settings/settings_rules.h"

namespace tintora {

namespace {

// The nine that every Save writes, and two written only when changed, so that a Save that
// leaves them alone writes the file as it always has.
constexpr std::size_t kSavedKeys = 11;
constexpr char kLineBreaks[] = "\r\n";

int Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0; }

int SignedField(HWND dialog, int id) { return static_cast<int>(GetDlgItemInt(dialog, id, nullptr, TRUE)); }

int UnsignedField(HWND dialog, int id) { return static_cast<int>(GetDlgItemInt(dialog, id, nullptr, FALSE)); }

// The keys to write, in the order they are written. While the file's values are not known (it
// could not be read), only the values the user changed are written, over the file's own.
struct SavedKeys {
    const char* keys[kSavedKeys];
    const char* texts[kSavedKeys];
    char numbers[kSavedKeys][kNumberTextSize];
    std::size_t count = 0;

    void Text(const char* key, const char* text, bool changed) {
        if (!changed && app.settingsRead.load()) changed = true;
        if (!changed) return;
        keys[count] = key;
        texts[count++] = text;
    }
    void Number(const char* key, int value, int old, bool isSigned) {
        char* text = numbers[count];
        if (isSigned) FormatSigned(value, text);
        else FormatUnsigned(static_cast<std::uint32_t>(value), text);
        Text(key, text, value != old);
    }
    bool NumberIfChanged(const char* key, int value, int old) {
        if (value == old) return false;
        Number(key, value, old, false);
        return true;
    }
};

}  // namespace

bool SaveOptions(HWND dialog) {
    SavedKeys saved;
    int value = Checked(dialog, IDC_OPT_TRANSPARENT);
    saved.Number(settings::kTransparentSetting.key, value, std::exchange(app.captureTransparent, value), false);
    value = Checked(dialog, IDC_OPT_USE_SHIFT);
    saved.Number(settings::kUseShiftSetting.key, value, app.useShift.exchange(value), false);
    value = Checked(dialog, IDC_OPT_WEB_SAFE);
    saved.Number(settings::kWebSetting.key, value, app.webSafe.exchange(value), false);
    value = SignedField(dialog, IDC_OPT_SHIFT_X);
    saved.Number(settings::kShiftXSetting.key, value, app.shiftX.exchange(value), true);
    value = SignedField(dialog, IDC_OPT_SHIFT_Y);
    saved.Number(settings::kShiftYSetting.key, value, app.shiftY.exchange(value), true);
    char format[sizeof app.copyFormat];
    GetDlgItemTextA(dialog, IDC_OPT_FORMAT, format, sizeof format);
    // A template pasted with line breaks keeps its first line, as a one-line field would.
    format[std::strcspn(format, kLineBreaks)] = '\0';
    saved.Text(settings::kFormatKey, app.copyFormat, std::strcmp(format, app.copyFormat) != 0);
    lstrcpyA(app.copyFormat, format);
    value = UnsignedField(dialog, IDC_OPT_UPDATE_RATE);
    saved.Number(settings::kZoomUpdateSetting.key, value, std::exchange(app.zoomUpdateMs, value), false);
    value = UnsignedField(dialog, IDC_OPT_ZOOM_RATE);
    saved.Number(settings::kZoomRateSetting.key, value, std::exchange(app.zoomRate, value), false);

    const auto control = static_cast<std::uint32_t>(SendDlgItemMessageA(dialog, IDC_OPT_HOTKEY, HKM_GETHOTKEY, 0, 0));
    const std::uint32_t code = HotkeyCodeFromControl(control, Checked(dialog, IDC_OPT_WIN) != 0);
    saved.Number(settings::kCopySetting.key, static_cast<int>(code), static_cast<int>(app.copyHotkey.exchange(code)), false);
    value = UnsignedField(dialog, IDC_OPT_AVERAGE);
    saved.NumberIfChanged(settings::kAverageSetting.key, value, app.sampleAverage.exchange(value));
    value = Checked(dialog, IDC_OPT_CONTRAST);
    if (saved.NumberIfChanged(settings::kContrastSetting.key, value, app.showContrast.exchange(static_cast<std::uint8_t>(value)))) {
        InvalidateRect(app.previewControl, nullptr, FALSE);  // the swatch shows or drops the contrast at once
    }
    // One replace for all of them, so that a held file keeps the dialog waiting once at most.
    WriteSettingTexts(saved.keys, saved.texts, saved.count);
    return ReplaceCopyHotkey(dialog, code, MB_OKCANCEL) != IDCANCEL;
}

}  // namespace tintora
