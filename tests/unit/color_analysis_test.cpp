#include "sampling/color_analysis.h"

#include <gtest/gtest.h>

#include <string>

namespace tintora {
namespace {

std::string Readout(int x, int y, std::uint32_t pixel, Hls hls) {
    char text[256];
    FormatReadout(text, sizeof text, x, y, SplitColor(pixel), hls);
    return text;
}

std::string Hint(std::uint32_t hotkey) {
    char text[256];
    FormatWindowHint(text, sizeof text, hotkey);
    return text;
}

TEST(ColorAnalysis, WorkedExampleReadsAsGiven) {
    EXPECT_EQ(Readout(100, 200, 0x001080F0, {20, 120, 210}),
              "Pixel at 100:200\r\nHEX  0x1080F0\r\nHTML #F08010\r\nRGB  (240,128,16)\r\nHLS  (20,120,210)");
}

TEST(ColorAnalysis, WorkedExampleRoundedToWebSafe) {
    const Channels raw = SplitColor(0x001080F0);
    const Channels safe{RoundWebSafe(raw.red), RoundWebSafe(raw.green), RoundWebSafe(raw.blue)};
    EXPECT_EQ(JoinColor(safe), 0x000099FFu);
    EXPECT_EQ(Readout(100, 200, JoinColor(safe), {24, 120, 240}),
              "Pixel at 100:200\r\nHEX  0x0099FF\r\nHTML #FF9900\r\nRGB  (255,153,0)\r\nHLS  (24,120,240)");
}

TEST(ColorAnalysis, BlackAndNegativePositionsKeepTheirDigitsAndSign) {
    EXPECT_EQ(Readout(-5, 10, 0, {0, 0, 0}),
              "Pixel at -5:10\r\nHEX  0x000000\r\nHTML #000000\r\nRGB  (0,0,0)\r\nHLS  (0,0,0)");
    EXPECT_EQ(Readout(-2147483647 - 1, -2147483647 - 1, 0x00FFFFFF, {240, 240, 240}),
              "Pixel at -2147483648:-2147483648\r\nHEX  0xFFFFFF\r\nHTML #FFFFFF\r\nRGB  (255,255,255)\r\nHLS  (240,240,240)");
}

TEST(ColorAnalysis, WebSafeThresholdNeighbours) {
    const struct { std::uint32_t channel, rounded; } cases[] = {
        {0, 0},     {24, 0},    {25, 51},   {75, 51},   {76, 102},  {126, 102}, {127, 153},
        {177, 153}, {178, 204}, {228, 204}, {229, 255}, {255, 255}, {51, 51},   {204, 204},
    };
    for (const auto& c : cases) EXPECT_EQ(RoundWebSafe(c.channel), c.rounded) << c.channel;
}

TEST(ColorAnalysis, SplitAndJoinRoundTrip) {
    const struct { std::uint32_t value; Channels channels; } cases[] = {
        {0x001080F0, {240, 128, 16}},
        {0x0033CC66, {0x66, 0xCC, 0x33}},
        {0xFFFFFFFF, {255, 255, 65535}},  // a hand-edited memo value keeps its top bits in blue
    };
    for (const auto& c : cases) {
        const Channels split = SplitColor(c.value);
        EXPECT_EQ(split.red, c.channels.red);
        EXPECT_EQ(split.green, c.channels.green);
        EXPECT_EQ(split.blue, c.channels.blue);
        if (c.value <= 0xFFFFFF) {
            EXPECT_EQ(JoinColor(split), c.value);
        }
    }
}

TEST(ColorAnalysis, WebSafeColourComesOutUnchanged) {
    const Channels c = SplitColor(0x0033CC66);
    EXPECT_EQ(JoinColor({RoundWebSafe(c.red), RoundWebSafe(c.green), RoundWebSafe(c.blue)}), 0x0033CC66u);
}

TEST(ColorAnalysis, WindowHintNamesOnlyTheDefaultKey) {
    EXPECT_EQ(Hint(0x4303), "Press Ctrl+Alt+C\r\nto copy color code\r\nor Ctrl+Alt+Digit\r\nto save color in\r\nMemo 1-6");
    for (std::uint32_t other : {0u, 0x4307u, 0x580Eu, 0x14303u}) {
        EXPECT_EQ(Hint(other), "Press defined key\r\nto copy color code\r\nor Ctrl+Alt+Digit\r\nto save color in\r\nMemo 1-6");
    }
}

}  // namespace
}  // namespace tintora
