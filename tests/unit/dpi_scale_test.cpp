#include "app/dpi_scale.h"
#include "magnifier/zoom_math.h"

#include <gtest/gtest.h>

namespace tintora {
namespace {

// Window widths, height, crosshair inset, readout font, snap distance and picture size.
constexpr std::int32_t sizes[] = {224, 328, 122, 20, 14, 5, 13};

TEST(DpiScale, FixedSizesAtEachCommonScale) {
    const struct {
        std::uint32_t dpi;
        std::int32_t expected[std::size(sizes)];
    } cases[] = {
        {96, {224, 328, 122, 20, 14, 5, 13}},
        {120, {280, 410, 153, 25, 18, 6, 16}},   // 152.5, 17.5 and 6.25 round to nearest
        {144, {336, 492, 183, 30, 21, 8, 20}},   // 7.5 and 19.5 round up
        {192, {448, 656, 244, 40, 28, 10, 26}},
        {72, {168, 246, 92, 15, 11, 4, 10}},     // below 100 %: 91.5 and 3.75 round to nearest
    };
    for (const auto& c : cases) {
        for (std::size_t i = 0; i < std::size(sizes); ++i) {
            EXPECT_EQ(ScaleToDpi(sizes[i], c.dpi), c.expected[i]) << sizes[i] << " at " << c.dpi;
        }
    }
}

TEST(DpiScale, BetweenTwoScalesAndBackGivesTheStartAgain) {
    for (std::int32_t value : {0, 1, 5, 7, 13, 135, 222, 333, -7}) {
        for (std::uint32_t dpi : {120u, 144u, 192u}) {
            EXPECT_EQ(ScaleBetween(ScaleBetween(value, 96, dpi), dpi, 96), value) << value << " at " << dpi;
        }
    }
    EXPECT_EQ(ScaleBetween(-5, 96, 144), -8);  // halves away from zero on both sides
    EXPECT_EQ(ScaleBetween(9, 0, 144), 9);     // no scale to come from changes nothing
}

TEST(DpiScale, ButtonPictureForEachScale) {
    const struct {
        std::uint32_t dpi;
        int size;
    } cases[] = {
        {72, 13}, {96, 13}, {110, 13}, {120, 16}, {132, 16}, {144, 20},
        {168, 20}, {192, 26}, {288, 26},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(kButtonPictureSizes[ButtonPictureIndex(c.dpi)], c.size) << c.dpi;
    }
}

TEST(DpiScale, WindowNeverSmallerThanItsTemplate) {
    const struct {
        const char* what;
        std::uint32_t dpi;
        std::int32_t templateWidth, templateHeight, viewWidth;
        ZoomWindowSize expected;
    } cases[] = {
        {"100 %, template as designed", 96, 224, 122, 328, {224, 328, 122}},
        {"100 %, template wider for a missing font", 96, 261, 130, 0, {261, 365, 130}},
        {"125 %, template smaller than scaled", 120, 270, 150, 0, {280, 410, 153}},
        {"125 %, view reaching further than the panel", 120, 270, 150, 413, {280, 413, 153}},
        {"150 %, template one pixel narrower and taller", 144, 335, 187, 0, {336, 492, 187}},
        {"200 %", 192, 450, 250, 600, {450, 658, 250}},
    };
    for (const auto& c : cases) {
        const ZoomWindowSize s = ZoomWindowSizeAt(c.dpi, c.templateWidth, c.templateHeight, c.viewWidth);
        EXPECT_EQ(s.narrowWidth, c.expected.narrowWidth) << c.what;
        EXPECT_EQ(s.wideWidth, c.expected.wideWidth) << c.what;
        EXPECT_EQ(s.height, c.expected.height) << c.what;
    }
}

}  // namespace
}  // namespace tintora
