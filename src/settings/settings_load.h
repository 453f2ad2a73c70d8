// Reading the settings into the state record at start-up, and writing single keys.
#pragma once

#include <cstdint>

namespace tintora {

// "copy" into copyHotkey.
void LoadCopyHotkey();
// The memo colours, template, rates and flags in their start-up order; sets memosDirty.
void LoadRemainingSettings();

// A saved window edge, settings::kXKey or kYKey: text parsed by ParseSignedDecimal, 0 when absent.
std::int32_t ReadPositionSetting(const char* key);
// "zoom": non-zero when the magnifier was shown at its last switch.
std::uint32_t ReadZoomSetting();

// Write through the store to the program's own settings file. False when the file does not
// hold the value afterwards, always so without a settings path; callers may go on regardless,
// the live values stay in effect for the run.
bool WriteSettingText(const char* key, const char* text);
bool WriteSettingUnsigned(const char* key, std::uint32_t value);
bool WriteSettingSigned(const char* key, std::int32_t value);

// The six memo colours as the file holds them. False when a file is there that could not be
// read: the colours are then the defaults.
bool ReadMemoSettings(std::uint32_t* colors);
// The six memo keys in one replace.
bool WriteMemoSettings(const std::uint32_t* colors);

}  // namespace tintora
