#include "sampling/color_analysis.h"

#include "app/text_format.h"

namespace tintora {

namespace {

// The first line names what was sampled: one pixel, or the square whose mean the colour is.
constexpr char kPixelLineFormat[] = "Pixel at %d:%d";
constexpr char kAreaLineFormat[] = "Avg %ux%u at %d:%d";
constexpr char kValuesFormat[] =
    "\r\nHEX  0x%.2X%.2X%.2X\r\nHTML #%.2X%.2X%.2X\r\nRGB  (%u,%u,%u)\r\nHLS  (%u,%u,%u)";
constexpr char kWindowHintFormat[] =
    "Press %s\r\nto copy color code\r\nor Ctrl+Alt+Digit\r\nto save color in\r\nMemo 1-6";
constexpr char kDefaultKeyName[] = "Ctrl+Alt+C";
constexpr char kOtherKeyName[] = "defined key";

// Each entry: the lowest channel value that rounds to its step; the first one reached wins.
struct WebSafeStep {
    std::uint32_t threshold, step;
};
constexpr WebSafeStep kWebSafeSteps[] = {
    {229, 255}, {178, 204}, {127, 153}, {76, 102}, {25, 51}, {0, 0},
};

}  // namespace

Channels SplitColor(std::uint32_t value) {
    return {value & 0xFFu, (value >> 8) & 0xFFu, value >> 16};
}

std::uint32_t RoundWebSafe(std::uint32_t channel) {
    for (const WebSafeStep& s : kWebSafeSteps) {
        if (channel >= s.threshold) return s.step;
    }
    return 0;
}

std::uint32_t JoinColor(Channels c) {
    return (((c.blue << 8) + c.green) << 8) + c.red;
}

void FormatReadout(char* textBuffer, std::size_t size, int x, int y, Channels c, Hls hls, std::uint32_t side) {
    if (size == 0) return;
    const int line = side > 1 ? FormatText(textBuffer, size, kAreaLineFormat, side, side, x, y)
                              : FormatText(textBuffer, size, kPixelLineFormat, x, y);
    FormatText(textBuffer + line, size - static_cast<std::size_t>(line), kValuesFormat, c.blue, c.green, c.red,
               c.red, c.green, c.blue, c.red, c.green, c.blue, hls.hue, hls.luminance, hls.saturation);
}

void FormatWindowHint(char* textBuffer, std::size_t size, std::uint32_t copyHotkey) {
    FormatText(textBuffer, size, kWindowHintFormat,
                  copyHotkey == kDefaultCopyHotkey ? kDefaultKeyName : kOtherKeyName);
}

}  // namespace tintora
