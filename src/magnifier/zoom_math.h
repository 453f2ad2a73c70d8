// The desktop rectangle the magnifier view enlarges. Pure: no platform calls.
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

}  // namespace tintora
