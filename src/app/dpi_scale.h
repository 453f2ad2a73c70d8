// Pixel sizes at a display's scale. Every fixed size is given for 96 dpi (100 %) and scaled
// where it is used. Pure: no platform calls.
#pragma once

#include <cstdint>

namespace tintora {

// The scale every fixed pixel size is given at.
constexpr std::uint32_t kBaseDpi = 96;

// value * to / from, rounded to the nearest integer with halves away from zero, as the
// platform's MulDiv does; from 0 leaves the value as it is.
std::int32_t ScaleBetween(std::int32_t value, std::uint32_t from, std::uint32_t to);

// A size given at 96 dpi, at dpi.
inline std::int32_t ScaleToDpi(std::int32_t size, std::uint32_t dpi) { return ScaleBetween(size, kBaseDpi, dpi); }

// The image buttons have a picture for each common scale: 100, 125, 150 and 200 %.
constexpr int kButtonPictureSizes[] = {13, 16, 20, 26};
constexpr int kButtonPictureCount = 4;

// Which of those pictures a window at dpi shows: the largest that is no larger than the 13-pixel
// picture scaled to dpi, and the smallest below 100 %.
int ButtonPictureIndex(std::uint32_t dpi);

}  // namespace tintora
