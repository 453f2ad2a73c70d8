// Colour arithmetic and the info control's texts. Pure: no platform calls.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tintora {

struct Channels {
    std::uint32_t red, green, blue;
};

struct Hls {
    std::uint32_t hue, luminance, saturation;
};

constexpr std::uint32_t kDefaultCopyHotkey = 0x4303;  // Ctrl+Alt+C

constexpr char kSwatchHint[] =
    "Click Left button\r\nto copy color code\r\nRight button to\r\nchoose color or\r\nMiddle to clear";

// blue keeps every bit above 16: a hand-edited memo value with a top byte gives blue above 255.
Channels SplitColor(std::uint32_t value);
std::uint32_t RoundWebSafe(std::uint32_t channel);
std::uint32_t JoinColor(Channels channels);

// Both write a NUL-terminated text into textBuffer (at least 256 bytes). The readout's first line
// names the sampled point, or the side x side square around it whose mean the colour is.
void FormatReadout(char* textBuffer, std::size_t size, int x, int y, Channels c, Hls hls, std::uint32_t side = 1);
void FormatWindowHint(char* textBuffer, std::size_t size, std::uint32_t copyHotkey);

}  // namespace tintora
