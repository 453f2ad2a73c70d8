// The notations the copy template's braced tokens give for a colour: hex digits, CSS hsl(), the
// hsv() of design tools, CSS oklch() and the nearest CSS colour name. Pure.
#pragma once

#include <cstddef>

#include "sampling/color_analysis.h"

namespace tintora {

// Each writes the notation, NUL-terminated, into a buffer of at least kNotationSize bytes and
// returns its length. A channel above 255 (a hand-edited memo value) counts with its low byte,
// the byte the colour itself holds.
constexpr std::size_t kNotationSize = 40;

// Six lower-case hex digits, red first: "f08010".
int FormatHexNotation(char* buffer, Channels c);
// "hsl(30, 88%, 50%)": hue in whole degrees 0..359, saturation and lightness in whole percent.
int FormatHslNotation(char* buffer, Channels c);
// "hsv(30, 93%, 94%)", rounded the same way.
int FormatHsvNotation(char* buffer, Channels c);
// "oklch(71.17% 0.1710 55.76)": lightness in percent, chroma and hue in degrees, rounded to
// 2, 4 and 2 decimals.
int FormatOklchNotation(char* buffer, Channels c);
// The CSS colour name nearest in OKLab: "darkorange".
int FormatNameNotation(char* buffer, Channels c);

// The sRGB transfer function: an encoded channel 0 ... 255 to linear light 0 ... 1.
double LinearLight(std::uint32_t channel);

}  // namespace tintora
