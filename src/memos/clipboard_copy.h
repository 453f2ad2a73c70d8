#pragma once

#include <cstdint>

namespace tintora {

// Puts the current channels, expanded through the copy template, on the clipboard as text.
// When another program keeps the clipboard open past a short wait, the clipboard stays as it was.
void CopyColorToClipboard();
// The same for the channels of the given colour.
void CopyChannelsToClipboard(std::uint32_t color);

}  // namespace tintora
