#include "sampling/area_mean.h"

#include <algorithm>

#include "settings/settings_rules.h"

namespace tintora {

namespace {

bool OnAMonitor(std::int32_t x, std::int32_t y, const ScreenRect* monitors, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const ScreenRect& m = monitors[i];
        if (x >= m.left && x < m.right && y >= m.top && y < m.bottom) return true;
    }
    return false;
}

// Halves up: (sum + count / 2) / count, exact for odd counts too.
std::uint32_t RoundedMean(std::uint64_t sum, std::uint64_t count) {
    return static_cast<std::uint32_t>((2 * sum + count) / (2 * count));
}

}  // namespace

ScreenRect SquareAround(std::int32_t x, std::int32_t y, std::int32_t side) {
    side = std::max(side, 1);
    const std::int32_t left = x - side / 2, top = y - side / 2;
    return {left, top, left + side, top + side};
}

std::uint32_t AreaMean(const std::uint32_t* pixels, ScreenRect square, const ScreenRect* monitors,
                       std::size_t monitorCount) {
    std::uint64_t red = 0, green = 0, blue = 0, count = 0;
    const std::uint32_t* pixel = pixels;
    for (std::int32_t y = square.top; y < square.bottom; ++y) {
        for (std::int32_t x = square.left; x < square.right; ++x, ++pixel) {
            if (!OnAMonitor(x, y, monitors, monitorCount)) continue;
            red += (*pixel >> 16) & 0xFFu;
            green += (*pixel >> 8) & 0xFFu;
            blue += *pixel & 0xFFu;
            ++count;
        }
    }
    if (count == 0) return 0;
    return (RoundedMean(blue, count) << 16) | (RoundedMean(green, count) << 8) | RoundedMean(red, count);
}

std::int32_t SteppedAverageSide(std::int32_t side, std::int32_t steps) {
    const auto low = static_cast<std::int64_t>(settings::kAverageSetting.low);
    const auto high = static_cast<std::int64_t>(settings::kAverageSetting.high);
    return static_cast<std::int32_t>(std::clamp(std::int64_t{side} + std::int64_t{steps} * kAverageSideStep, low, high));
}

}  // namespace tintora
