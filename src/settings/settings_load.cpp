#include "settings/settings_load.h"

#include <iterator>

#include "app/app_state.h"
#include "app/window_messages.h"
#include "settings/settings_rules.h"
#include "settings/settings_writer.h"

namespace tintora {

namespace {

constexpr char kUnsignedFormat[] = "%u";
constexpr char kSignedFormat[] = "%d";

// The text the values come from: read at start-up on the UI thread; read again by the memo
// thread while settingsArriving is 0, and taken by the UI thread once it is 1.
settings::Snapshot atStartUp;
settings::Snapshot arrived;
const settings::Snapshot* source = &atStartUp;  // UI thread

std::uint32_t ReadSetting(const settings::IntSetting& setting) {
    return settings::ApplyRule(setting, settings::SnapshotInt(*source, setting.key, setting.defaultValue));
}

int ReadSignedSetting(const settings::IntSetting& setting) { return static_cast<int>(ReadSetting(setting)); }

// Whether a value may come from the file: always at start-up, later only while the user has
// not changed it.
bool Takes(const char* key, bool all) { return all || !SettingChangedByUser(key); }

void TakeValues(bool all) {
    if (Takes(settings::kFormatKey, all)) {
        settings::SnapshotText(*source, settings::kFormatKey, settings::kFormatDefault, app.copyFormat,
                               sizeof app.copyFormat);
    }
    if (Takes(settings::kTransparentSetting.key, all)) {
        app.captureTransparent = ReadSignedSetting(settings::kTransparentSetting);
    }
    if (Takes(settings::kZoomUpdateSetting.key, all)) app.zoomUpdateMs = ReadSignedSetting(settings::kZoomUpdateSetting);
    if (Takes(settings::kZoomRateSetting.key, all)) app.zoomRate = ReadSignedSetting(settings::kZoomRateSetting);
    if (Takes(settings::kAverageSetting.key, all)) app.sampleAverage = ReadSignedSetting(settings::kAverageSetting);
    // From here the memo thread paints the swatches and writes the memo keys back.
    app.memosDirty = 1;
    if (Takes(settings::kWebSetting.key, all)) app.webSafe = ReadSignedSetting(settings::kWebSetting);
    if (Takes(settings::kContrastSetting.key, all)) {
        app.showContrast = static_cast<std::uint8_t>(ReadSetting(settings::kContrastSetting));
    }
    if (Takes(settings::kUseShiftSetting.key, all)) app.useShift = ReadSignedSetting(settings::kUseShiftSetting);
    if (Takes(settings::kShiftXSetting.key, all)) app.shiftX = ReadSignedSetting(settings::kShiftXSetting);
    if (Takes(settings::kShiftYSetting.key, all)) app.shiftY = ReadSignedSetting(settings::kShiftYSetting);
}

}  // namespace

void LoadSettingsFile() {
    ReadSettingsFile(&atStartUp, settings::kPromptPatienceMs);
    app.settingsRead = atStartUp.known ? 1 : 0;
}

void LoadCopyHotkey() { app.copyHotkey = ReadSetting(settings::kCopySetting); }

void LoadRemainingSettings() {
    for (int i = 0; i < kMemoCount; ++i) app.memoColors[i] = ReadSetting(settings::kMemoSettings[i]);
    TakeValues(true);
}

std::int32_t ReadPositionSetting(const char* key) {
    char text[kTextSize];
    settings::SnapshotText(*source, key, settings::kPositionDefault, text, sizeof text);
    return settings::ParseSignedDecimal(text);
}

std::uint32_t ReadZoomSetting() { return ReadSetting(settings::kZoomSetting); }

void ReadSettingsAgain() {
    if (app.settingsArriving.load()) return;
    ReadSettingsFile(&arrived, kBackgroundPatienceMs);
    if (!arrived.known) return;
    app.settingsArriving = 1;
    if (!PostMessageA(app.mainWindow, kSettingsArrivedMessage, 0, 0)) app.settingsArriving = 0;
}

bool TakeArrivedSettings(ArrivedSettings* toApply) {
    if (app.settingsRead.load() || !app.settingsArriving.load()) return false;
    // A memo slot still as it was taken at start-up was not set by the user.
    COLORREF startUpMemos[kMemoCount];
    for (int slot = 0; slot < kMemoCount; ++slot) startUpMemos[slot] = ReadSetting(settings::kMemoSettings[slot]);
    source = &arrived;
    for (int slot = 0; slot < kMemoCount; ++slot) {
        app.memoColors[slot].compare_exchange_strong(startUpMemos[slot], ReadSetting(settings::kMemoSettings[slot]));
    }
    app.settingsRead = 1;  // before memosDirty: the memo thread then writes the colours
    TakeValues(false);
    if (Takes(settings::kCopySetting.key, false)) app.copyHotkey = ReadSetting(settings::kCopySetting);
    toApply->place = !app.windowMoved && Takes(settings::kXKey, false);
    toApply->zoomShown = Takes(settings::kZoomSetting.key, false) ? ReadZoomSetting() != 0 : app.zoomShown != 0;
    app.settingsArriving = 0;  // nothing reads the text again once settingsRead is 1
    return true;
}

bool WriteSettingTexts(const char* const* keys, const char* const* texts, std::size_t count) {
    return WriteSettings(keys, texts, count, true, settings::kPromptPatienceMs);
}

bool WriteSettingText(const char* key, const char* text) { return WriteSettingTexts(&key, &text, 1); }

void FormatUnsigned(std::uint32_t value, char* text) { wsprintfA(text, kUnsignedFormat, value); }

void FormatSigned(std::int32_t value, char* text) { wsprintfA(text, kSignedFormat, value); }

bool WriteSettingUnsigned(const char* key, std::uint32_t value) {
    char number[kNumberTextSize];
    FormatUnsigned(value, number);
    return WriteSettingText(key, number);
}

bool WriteSettingSigned(const char* key, std::int32_t value) {
    char number[kNumberTextSize];
    FormatSigned(value, number);
    return WriteSettingText(key, number);
}

bool WriteMemoSettings(const std::uint32_t* colors, const bool* changed, DWORD patienceMs) {
    static_assert(std::size(settings::kMemoSettings) == kMemoCount);
    char numbers[kMemoCount][kNumberTextSize];
    const char* keys[kMemoCount];
    const char* texts[kMemoCount];
    std::size_t count = 0;
    for (int i = 0; i < kMemoCount; ++i) {
        if (!changed[i]) continue;
        FormatUnsigned(colors[i], numbers[count]);
        keys[count] = settings::kMemoSettings[i].key;
        texts[count] = numbers[count];
        ++count;
    }
    return WriteSettings(keys, texts, count, false, patienceMs);
}

}  // namespace tintora
