#include "settings/settings_load.h"

#include <iterator>

#include "app/app_state.h"
#include "app/settings_location.h"
#include "settings/settings_rules.h"
#include "settings/settings_store.h"

namespace tintora {

namespace {

// Room for "%d" of any 32-bit value and its NUL. Local to each call, so every thread that
// writes formats into its own buffer.
constexpr std::size_t kNumberBufferSize = 16;
constexpr char kUnsignedFormat[] = "%u";
constexpr char kSignedFormat[] = "%d";

// The settings file for one operation, with room for its seed's path.
struct SettingsFile {
    SettingsFile() : location(app.iniPath, SettingsSeed(seed)) {}
    wchar_t seed[kPathSize];
    settings::Location location;
};

std::uint32_t ReadSetting(const settings::IntSetting& setting) {
    const std::uint32_t read = settings::ReadInt(SettingsFile().location, setting.key, setting.defaultValue);
    return settings::ApplyRule(setting, read);
}

int ReadSignedSetting(const settings::IntSetting& setting) {
    return static_cast<int>(ReadSetting(setting));
}

}  // namespace

void LoadCopyHotkey() { app.copyHotkey = ReadSetting(settings::kCopySetting); }

void LoadRemainingSettings() {
    std::uint32_t memos[kMemoCount];
    app.memosRead = ReadMemoSettings(memos);
    for (int i = 0; i < kMemoCount; ++i) app.memoColors[i] = memos[i];
    settings::ReadText(SettingsFile().location, settings::kFormatKey, settings::kFormatDefault, app.copyFormat,
                       sizeof app.copyFormat);
    app.captureTransparent = ReadSignedSetting(settings::kTransparentSetting);
    app.zoomUpdateMs = ReadSignedSetting(settings::kZoomUpdateSetting);
    app.zoomRate = ReadSignedSetting(settings::kZoomRateSetting);
    // From here the memo thread paints the swatches and writes the memo keys back.
    app.memosDirty = 1;
    app.webSafe = ReadSignedSetting(settings::kWebSetting);
    app.useShift = ReadSignedSetting(settings::kUseShiftSetting);
    app.shiftX = ReadSignedSetting(settings::kShiftXSetting);
    app.shiftY = ReadSignedSetting(settings::kShiftYSetting);
}

std::int32_t ReadPositionSetting(const char* key) {
    char text[kTextSize];
    settings::ReadText(SettingsFile().location, key, settings::kPositionDefault, text, sizeof text);
    return settings::ParseSignedDecimal(text);
}

std::uint32_t ReadZoomSetting() { return ReadSetting(settings::kZoomSetting); }

bool WriteSettingText(const char* key, const char* text) {
    return settings::WriteText(SettingsFile().location, key, text);
}

bool WriteSettingUnsigned(const char* key, std::uint32_t value) {
    char number[kNumberBufferSize];
    wsprintfA(number, kUnsignedFormat, value);
    return WriteSettingText(key, number);
}

bool WriteSettingSigned(const char* key, std::int32_t value) {
    char number[kNumberBufferSize];
    wsprintfA(number, kSignedFormat, value);
    return WriteSettingText(key, number);
}

bool ReadMemoSettings(std::uint32_t* colors) {
    static_assert(std::size(settings::kMemoSettings) == kMemoCount);
    // Memo colours are taken as read: no rule to apply.
    return settings::ReadInts(SettingsFile().location, settings::kMemoSettings, kMemoCount, colors);
}

bool WriteMemoSettings(const std::uint32_t* colors) {
    char numbers[kMemoCount][kNumberBufferSize];
    const char* keys[kMemoCount];
    const char* texts[kMemoCount];
    for (int i = 0; i < kMemoCount; ++i) {
        wsprintfA(numbers[i], kUnsignedFormat, colors[i]);
        keys[i] = settings::kMemoSettings[i].key;
        texts[i] = numbers[i];
    }
    return settings::WriteTexts(SettingsFile().location, keys, texts, kMemoCount);
}

}  // namespace tintora
