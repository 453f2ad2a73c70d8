// The copy template language: r g b print a channel in decimal, R G B in two or more
// upper-case hex digits, the braced tokens {hex} {hsl} {hsv} {oklch} {name} the colour in those
// notations, {contrast} its contrast ratio with the reference memo, {n} the number of the memo
// copied, and every other byte stands for itself. Pure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "sampling/color_analysis.h"

namespace tintora {

// The longest text an expansion gives: what a template of the longest kept (255 bytes) gives
// at most in channel letters, each a number of up to ten digits, so that every template of
// letters copies whole. A part that would pass it, a token's text above all, is left out whole.
constexpr std::size_t kLongestTemplate = 255;
constexpr std::size_t kLongestLetterText = 10;
constexpr std::size_t kCopyTextLimit = kLongestTemplate * kLongestLetterText;

// What a copy knows besides the colour: the reference memo's colour, and the number (1 ... 6) of
// the memo being copied, 0 for a copy of the current colour.
struct CopyContext {
    Channels reference;
    std::uint32_t memoNumber;
};
constexpr CopyContext kNoMemo{{0xFF, 0xFF, 0xFF}, 0};  // memo 1 as it starts: white

std::string ExpandCopyTemplate(const char* copyTemplate, Channels channels, const CopyContext& context = kNoMemo);

// Every memo, in order, as a left click on it copies it: one line each, the limit holding for
// each line, joined by CR LF with none after the last.
std::string ExpandPalette(const char* copyTemplate, const Channels* memos, std::size_t count, Channels reference);

}  // namespace tintora
