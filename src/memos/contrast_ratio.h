// The contrast of two colours as the web's accessibility guidelines (2.x) measure it, and the
// texts the preview and the {contrast} token show for it. Pure.
#pragma once

#include <cstddef>
#include <cstdint>

#include "sampling/color_analysis.h"

namespace tintora {

// Room for the longest ratio text, "21.00:1", and its NUL.
constexpr std::size_t kContrastTextSize = 8;

// The ratio of the lighter colour's relative luminance plus 0.05 to the darker's, 1 ... 21.
// A channel above 255 (a hand-edited memo value) counts with its low byte.
double ContrastRatio(Channels a, Channels b);
// The ratio in hundredths, rounded down: a ratio shown as 4.50 really reaches 4.5.
std::uint32_t ContrastHundredths(Channels a, Channels b);
// "4.61:1"; returns the length.
int FormatContrastRatio(char* buffer, std::uint32_t hundredths);
// The level a ratio reaches: "AAA", "AA", "Large" (large text and parts of a user interface) or
// "Fail".
const char* ContrastLevel(std::uint32_t hundredths);
// Whether white text contrasts more with the background than black text does.
bool WhiteReadsBetterOn(Channels background);

}  // namespace tintora
