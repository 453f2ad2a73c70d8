// The info control's texts for any position, channels and buffer size: a sampled colour's
// readout reads back as the numbers it was made of, in its five-line layout and length; any
// values fit the thread's text buffer uncut; a smaller buffer gets a terminated start of the same
// text and not a byte more. The colour arithmetic under the readout is checked alongside.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_input.h"
#include "sampling/color_analysis.h"

namespace {

using namespace tintora;
using tintora::fuzz::Require;

constexpr std::size_t kTextBufferSize = 256;
constexpr std::size_t kLongestReadout = 101;
constexpr std::uint32_t kHlsTop = 240;
constexpr std::uint32_t kChannelMask = 0xFF;
constexpr std::uint32_t kWebSafeSteps[] = {0, 51, 102, 153, 204, 255};
// A channel never lies further than this from its web-safe step.
constexpr std::uint32_t kWebSafeReach = 26;
constexpr std::string_view kDefaultKeyName = "Ctrl+Alt+C";
constexpr std::size_t kHintLengthNamingTheKey = 83;
constexpr std::size_t kHintLengthOtherwise = 84;

std::string Full(int x, int y, Channels c, Hls hls) {
    char text[kTextBufferSize];
    FormatReadout(text, sizeof text, x, y, c, hls);
    return text;
}

// The numbers of a screen colour's readout, read back from its text.
void RequireReadsBack(const std::string& text, int x, int y, Channels c, Hls hls) {
    int rx = 0, ry = 0, used = 0;
    unsigned hex[6] = {}, rgb[3] = {}, h[3] = {};
    const int fields = std::sscanf(text.c_str(),
                                   "Pixel at %d:%d\r\n"
                                   "HEX  0x%2X%2X%2X\r\n"
                                   "HTML #%2X%2X%2X\r\n"
                                   "RGB  (%u,%u,%u)\r\n"
                                   "HLS  (%u,%u,%u)%n",
                                   &rx, &ry, &hex[0], &hex[1], &hex[2], &hex[3], &hex[4], &hex[5],
                                   &rgb[0], &rgb[1], &rgb[2], &h[0], &h[1], &h[2], &used);
    Require(fields == 14 && static_cast<std::size_t>(used) == text.size(),
            "the readout has its layout");
    Require(rx == x && ry == y, "the readout gives the position");
    const unsigned expected[] = {c.blue, c.green, c.red, c.red, c.green, c.blue};
    Require(std::memcmp(hex, expected, sizeof hex) == 0, "the readout gives HEX and HTML");
    Require(rgb[0] == c.red && rgb[1] == c.green && rgb[2] == c.blue, "the readout gives RGB");
    Require(h[0] == hls.hue && h[1] == hls.luminance && h[2] == hls.saturation,
            "the readout gives HLS");
    Require(text.size() <= kLongestReadout, "a screen colour's readout is at most 101 characters");
}

void RequireStartInBlock(const std::string& full, std::size_t size, auto format) {
    std::vector<char> block(size);
    format(block.data(), size);
    if (size == 0) return;
    const std::size_t length = std::min(full.size(), size - 1);
    Require(std::strlen(block.data()) == length && full.compare(0, length, block.data()) == 0,
            "a smaller buffer holds the terminated start of the text");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tintora::fuzz::Input input(data, size);
    const auto x = input.Take<int>();
    const auto y = input.Take<int>();
    const auto pixel = input.Take<std::uint32_t>();
    Hls hls{input.Take<std::uint32_t>(), input.Take<std::uint32_t>(), input.Take<std::uint32_t>()};
    const auto copyHotkey = input.Take<std::uint32_t>();
    const auto blockSize = input.Take<std::uint16_t>() % (kTextBufferSize + 64);
    const bool fromScreen = (input.Take<std::uint8_t>() & 1) == 0;

    Channels c = SplitColor(pixel);
    Require(JoinColor(c) == pixel, "a colour split and joined is the same colour");
    for (std::uint32_t channel : {c.red, c.green}) {
        const std::uint32_t step = RoundWebSafe(channel);
        const bool isStep = std::ranges::find(kWebSafeSteps, step) != std::end(kWebSafeSteps);
        const std::uint32_t distance = step > channel ? step - channel : channel - step;
        Require(isStep && RoundWebSafe(step) == step && distance <= kWebSafeReach,
                "a channel rounds to its nearby web-safe step, which stays");
    }

    if (fromScreen) {
        c.blue &= kChannelMask;
        hls = {hls.hue % (kHlsTop + 1), hls.luminance % (kHlsTop + 1),
               hls.saturation % (kHlsTop + 1)};
        RequireReadsBack(Full(x, y, c, hls), x, y, c, hls);
    } else {
        c = {pixel, hls.hue, copyHotkey};  // any 32-bit channels, from the other fields
    }
    const std::string full = Full(x, y, c, hls);
    Require(full.size() < kTextBufferSize - 1, "any readout fits the text buffer uncut");
    RequireStartInBlock(full, blockSize,
                        [&](char* b, std::size_t n) { FormatReadout(b, n, x, y, c, hls); });

    char hint[kTextBufferSize];
    FormatWindowHint(hint, sizeof hint, copyHotkey);
    const std::string_view hintText(hint);
    const bool named = hintText.find(kDefaultKeyName) != std::string_view::npos;
    Require(named == (copyHotkey == kDefaultCopyHotkey) &&
                hintText.size() == (named ? kHintLengthNamingTheKey : kHintLengthOtherwise),
            "the window hint names Ctrl+Alt+C for the default key only");
    RequireStartInBlock(std::string(hintText), blockSize,
                        [&](char* b, std::size_t n) { FormatWindowHint(b, n, copyHotkey); });
    return 0;
}
