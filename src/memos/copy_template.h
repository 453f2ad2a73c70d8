// The copy template language: r g b print a channel in decimal, R G B in two or more
// upper-case hex digits, the braced tokens {hex} {hsl} {hsv} {oklch} {name} the colour in those
// notations, and every other byte stands for itself. Pure.
#pragma once

#include <cstddef>
#include <string>

#include "sampling/color_analysis.h"

namespace tintora {

// The longest text an expansion gives: what a template of the longest kept (255 bytes) gives
// at most in channel letters, each a number of up to ten digits, so that every template of
// letters copies whole. A part that would pass it, a token's text above all, is left out whole.
constexpr std::size_t kLongestTemplate = 255;
constexpr std::size_t kLongestLetterText = 10;
constexpr std::size_t kCopyTextLimit = kLongestTemplate * kLongestLetterText;

std::string ExpandCopyTemplate(const char* copyTemplate, Channels channels);

}  // namespace tintora
