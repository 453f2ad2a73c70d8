#include "sampling/area_mean.h"

#include <gtest/gtest.h>

#include <vector>

namespace tintora {
namespace {

constexpr ScreenRect kScreen{0, 0, 1280, 1024};

// Pixels as the bitmap holds them, 0x00RRGGBB, rows top first; the mean is a COLORREF.
TEST(AreaMean, AveragesOnlyThePixelsOnAMonitorRoundingHalvesUp) {
    const struct {
        const char* what;
        std::int32_t x, y, side;
        std::vector<ScreenRect> monitors;
        std::vector<std::uint32_t> pixels;
        std::uint32_t mean;
    } cases[] = {
        {"one pixel is itself", 10, 10, 1, {kScreen}, {0x123456}, 0x563412},
        {"red 3/6 rounds up, green 2/6 down, blue exact; the right column is off the monitor", 10, 10, 3,
         {{9, 0, 11, 100}}, {0x010102, 0x000002, 0xFFFFFF, 0x010002, 0x010102, 0xFFFFFF, 0x000002, 0x000002, 0xFFFFFF},
         0x020001},
        {"at the screen's top-left corner only four pixels count", 0, 0, 3, {kScreen},
         {0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000, 0x0A0000, 0x140000, 0xFF0000, 0x1E0000, 0x290000}, 0x000019},
        {"between monitors of different sizes", 1280, 768, 3, {kScreen, {1280, 0, 2560, 768}},
         {0x000064, 0x000064, 0x000064, 0x000064, 0x00C800, 0x00C800, 0x000064, 0x00C800, 0x00C800}, 0x640000},
        {"a pixel two monitors show counts once", 50, 10, 3, {{0, 0, 100, 100}, {0, 0, 50, 50}},
         {0x000000, 0x060000, 0x060000, 0x000000, 0x060000, 0x060000, 0x000000, 0x060000, 0x060000}, 0x000004},
        {"no monitor at all gives black", 10, 10, 3, {}, std::vector<std::uint32_t>(9, 0xFFFFFF), 0},
    };
    for (const auto& c : cases) {
        const ScreenRect square = SquareAround(c.x, c.y, c.side);
        ASSERT_EQ(static_cast<std::size_t>((square.right - square.left) * (square.bottom - square.top)), c.pixels.size())
            << c.what;
        EXPECT_EQ(AreaMean(c.pixels.data(), square, c.monitors.data(), c.monitors.size()), c.mean) << c.what;
    }
}

}  // namespace
}  // namespace tintora
