#include "memos/contrast_ratio.h"

#include <gtest/gtest.h>

#include <string>

namespace tintora {
namespace {

// Pairs whose ratios the guidelines and their checkers publish, either way round; the ratio is
// rounded down, so red on white (3.998) stays below the 4 it would round to.
TEST(ContrastRatio, PublishedPairsGiveTheirRatioLevelAndInk) {
    constexpr Channels kWhite{255, 255, 255};
    const struct {
        Channels text, background;
        const char *ratio, *level;
        bool whiteInkOnText;
    } cases[] = {
        {{0, 0, 0}, kWhite, "21.00:1", "AAA", true},         {{0x77, 0x77, 0x77}, kWhite, "4.47:1", "Large", false},
        {{0x76, 0x76, 0x76}, kWhite, "4.54:1", "AA", false}, {{0x59, 0x59, 0x59}, kWhite, "7.00:1", "AAA", true},
        {{0x94, 0x94, 0x94}, kWhite, "3.03:1", "Large", false}, {{255, 0, 0}, kWhite, "3.99:1", "Large", false},
        {{0, 0, 255}, kWhite, "8.59:1", "AAA", true},        {{255, 255, 0}, kWhite, "1.07:1", "Fail", false},
        {{0x12, 0x34, 0x56}, {0x12, 0x34, 0x56}, "1.00:1", "Fail", true},
        {{0x1FF, 0x100, 0x1FF00}, {255, 0, 0}, "1.00:1", "Fail", false},  // a hand-edited memo's low bytes
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ratio);
        const std::uint32_t hundredths = ContrastHundredths(c.text, c.background);
        EXPECT_EQ(ContrastHundredths(c.background, c.text), hundredths);
        char text[kContrastTextSize];
        EXPECT_EQ(FormatContrastRatio(text, hundredths), static_cast<int>(std::string(c.ratio).size()));
        EXPECT_STREQ(text, c.ratio);
        EXPECT_STREQ(ContrastLevel(hundredths), c.level);
        EXPECT_EQ(WhiteReadsBetterOn(c.text), c.whiteInkOnText);
    }
}

}  // namespace
}  // namespace tintora
