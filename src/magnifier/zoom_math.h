// The desktop rectangle the magnifier view enlarges, and the window sizes that show or hide the
// view. Pure: no platform calls.
#pragma once

#include <cstdint>

namespace tintora {

struct ZoomSource {
    std::int32_t x, y, width, height;
};

// rate times smaller than the view (truncating), centred on the point, half a pixel up and left
// when the size is odd. A rate below one gives an empty rectangle rather than a division by zero.
ZoomSource ZoomSourceAround(std::int32_t pointX, std::int32_t pointY, std::int32_t viewWidth,
                            std::int32_t viewHeight, std::int32_t rate);

// The part of the view that shows the side x side square around the sampled point, as the
// source of ZoomSourceAround spreads over the view: right and bottom just outside. Empty when
// the rate leaves no source.
struct ViewBox {
    std::int32_t left, top, right, bottom;
};
ViewBox ZoomSquareInView(std::int32_t viewWidth, std::int32_t viewHeight, std::int32_t rate, std::int32_t side);

// The magnification steps away from rate, held within the rates the settings allow (2..16).
std::int32_t SteppedZoomRate(std::int32_t rate, std::int32_t steps);

// The main window's outer size in pixels, with the magnifier panel hidden and shown.
struct ZoomWindowSize {
    std::int32_t narrowWidth, wideWidth, height;
};

// At 96 dpi 224 or 328 by 122 pixels. At other scales those sizes scaled, but never smaller than
// the dialog template comes out at that scale (templateWidth x templateHeight, outer pixels); the
// panel then adds its own scaled width, or more when the view, laid out with the template, needs
// more: viewWidth is the outer width that shows the whole view with its margin.
ZoomWindowSize ZoomWindowSizeAt(std::uint32_t dpi, std::int32_t templateWidth, std::int32_t templateHeight,
                                std::int32_t viewWidth = 0);

}  // namespace tintora
