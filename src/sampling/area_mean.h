// The colour of a square of the screen: the mean of those of its pixels that lie on a monitor,
// and the sizes of square a person steps through. Pure: no platform calls.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tintora {

// The square grows and shrinks by two, so that it keeps a centre pixel.
constexpr std::int32_t kAverageSideStep = 2;

// Screen pixels, right and bottom just outside.
struct ScreenRect {
    std::int32_t left, top, right, bottom;
};

// The side x side square centred on the point (side odd; below 1 taken as 1).
ScreenRect SquareAround(std::int32_t x, std::int32_t y, std::int32_t side);

// pixels holds the square's rows, top row first, each pixel as a 32-bit bitmap holds it
// (0x00RRGGBB). Only pixels inside one of the monitors count, each once however many monitors
// hold it. Each channel is the mean rounded to the nearest integer, halves up; the result is a
// colour value (0x00BBGGRR), black when no pixel of the square lies on a monitor.
std::uint32_t AreaMean(const std::uint32_t* pixels, ScreenRect square, const ScreenRect* monitors,
                       std::size_t monitorCount);

// The side steps of two away from side, held within the sides the settings allow (1 ... 31).
std::int32_t SteppedAverageSide(std::int32_t side, std::int32_t steps);

}  // namespace tintora
