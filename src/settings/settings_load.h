// Reading the settings into the state record: once at start-up, and once more when the file
// could not be read then; and writing keys.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace tintora {

// Start-up, before anything below: reads the file once. Sets settingsRead when the values are
// the file's own (or there is no file); otherwise the seed's or the defaults stand in.
void LoadSettingsFile();
// "copy" into copyHotkey.
void LoadCopyHotkey();
// The memo colours, template, rates and flags in their start-up order; sets memosDirty.
void LoadRemainingSettings();

// A saved window edge, settings::kXKey or kYKey: text parsed by ParseSignedDecimal, 0 when absent.
std::int32_t ReadPositionSetting(const char* key);
// "zoom": non-zero when the magnifier was shown at its last switch.
std::uint32_t ReadZoomSetting();

// The memo thread, while settingsRead is 0: reads the file again, and when that works hands the
// text to the main window, which takes it with TakeArrivedSettings.
void ReadSettingsAgain();
// What the main window still has to do with a text that arrived: move to the saved place (read
// with ReadPositionSetting), and show or hide the magnifier to match zoomShown.
struct ArrivedSettings {
    bool place;
    bool zoomShown;
};
// The file's value for every setting the user has not changed in this run (copyHotkey included:
// the caller registers it), the window's place while the user has not moved it; then sets
// settingsRead. False when no text has arrived.
bool TakeArrivedSettings(ArrivedSettings* arrived);

// Each key changed by the user: waits at most about 100 ms for the file and for other copies,
// and leaves to the background writer what could not be written then. False when the file does
// not hold the values yet; callers may go on regardless, the live values stay in effect.
bool WriteSettingTexts(const char* const* keys, const char* const* texts, std::size_t count);
bool WriteSettingText(const char* key, const char* text);
bool WriteSettingUnsigned(const char* key, std::uint32_t value);
bool WriteSettingSigned(const char* key, std::int32_t value);
// Room for any number the program writes ("%d" of any 32-bit value) and its NUL.
constexpr std::size_t kNumberTextSize = 16;
void FormatUnsigned(std::uint32_t value, char* text);
void FormatSigned(std::int32_t value, char* text);

// The memo keys whose slot is marked changed, not a change by the user, waiting at most patienceMs.
bool WriteMemoSettings(const std::uint32_t* colors, const bool* changed, DWORD patienceMs);

}  // namespace tintora
