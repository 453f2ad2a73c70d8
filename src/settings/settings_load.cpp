// Placeholder until the settings store lands: every setting takes its default.
#include "settings/settings_load.h"

#include <cstring>

#include "app/app_state.h"

namespace tintora {

void LoadCopyHotkey() { app.copyHotkey = 0x4303; }

void LoadRemainingSettings() {
    for (auto& memo : app.memoColors) memo = 0xFFFFFF;
    std::strcpy(app.copyFormat, "RGB");
    app.zoomUpdateMs = 50;
    app.zoomRate = 4;
    app.memosDirty = 1;
}

std::int32_t ReadPositionSetting(const char*) { return 0; }
std::uint32_t ReadZoomSetting() { return 0; }

void WriteSettingText(const char*, const char*) {}
void WriteSettingUnsigned(const char*, std::uint32_t) {}
void WriteSettingSigned(const char*, std::int32_t) {}

}  // namespace tintora
