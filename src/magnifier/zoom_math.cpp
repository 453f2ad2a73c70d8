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

namespace {

// Where the view starts to show source pixel k of a source size pixels long, on an axis of the
// view viewSize long; the sampled point is source pixel size / 2.
std::int32_t ViewEdge(std::int32_t k, std::int32_t size, std::int32_t viewSize) {
    return static_cast<std::int32_t>(std::int64_t{k} * viewSize / size);
}

}  // namespace

ViewBox ZoomSquareInView(std::int32_t viewWidth, std::int32_t viewHeight, std::int32_t rate, std::int32_t side) {
    const ZoomSource source = ZoomSourceAround(0, 0, viewWidth, viewHeight, rate);
    if (source.width <= 0 || source.height <= 0) return {0, 0, 0, 0};
    const std::int32_t half = side / 2;
    const std::int32_t x = source.width >> 1, y = source.height >> 1;
    return {ViewEdge(x - half, source.width, viewWidth), ViewEdge(y - half, source.height, viewHeight),
            ViewEdge(x + half + 1, source.width, viewWidth), ViewEdge(y + half + 1, source.height, viewHeight)};
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
