#include "magnifier/zoom_math.h"

#include <algorithm>

#include "app/dpi_scale.h"
#include "settings/settings_rules.h"

namespace tintora {

namespace {

constexpr std::int32_t kNarrowWidth = 224;
constexpr std::int32_t kWideWidth = 328;
constexpr std::int32_t kWindowHeight = 122;

}  // namespace

ZoomSource ZoomSourceAround(std::int32_t pointX, std::int32_t pointY, std::int32_t viewWidth,
                            std::int32_t viewHeight, std::int32_t rate) {
    if (rate < 1) return {pointX, pointY, 0, 0};
    const std::int32_t width = viewWidth / rate;
    const std::int32_t height = viewHeight / rate;
    return {pointX - (width >> 1), pointY - (height >> 1), width, height};
}

std::int32_t SteppedZoomRate(std::int32_t rate, std::int32_t steps) {
    const auto low = static_cast<std::int64_t>(settings::kZoomRateSetting.low);
    const auto high = static_cast<std::int64_t>(settings::kZoomRateSetting.high);
    return static_cast<std::int32_t>(std::clamp(std::int64_t{rate} + steps, low, high));
}

ZoomWindowSize ZoomWindowSizeAt(std::uint32_t dpi, std::int32_t templateWidth, std::int32_t templateHeight,
                                std::int32_t viewWidth) {
    const std::int32_t narrow = std::max(ScaleToDpi(kNarrowWidth, dpi), templateWidth);
    const std::int32_t panel = ScaleToDpi(kWideWidth - kNarrowWidth, dpi);
    return {narrow, std::max(narrow + panel, viewWidth), std::max(ScaleToDpi(kWindowHeight, dpi), templateHeight)};
}

}  // namespace tintora
