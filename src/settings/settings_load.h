// Reading the settings into the state record at start-up, and writing single keys.
#pragma once

#include <cstdint>

namespace tintora {

// "copy" into copyHotkey.
void LoadCopyHotkey();
// The memo colours, template, rates and flags in their start-up order; sets memosDirty.
void LoadRemainingSettings();

// A saved window coordinate: optional leading '-', then digits with 32-bit wrap; 0 by default.
std::int32_t ReadPositionSetting(const char* key);
// "zoom": whether the magnifier was on at the last run.
std::uint32_t ReadZoomSetting();

// Writes through the store to the program's own settings file; silently nothing without one.
void WriteSettingText(const char* key, const char* text);
void WriteSettingUnsigned(const char* key, std::uint32_t value);
void WriteSettingSigned(const char* key, std::int32_t value);

}  // namespace tintora
