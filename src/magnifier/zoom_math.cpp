#include "magnifier/zoom_math.h"

namespace tintora {

ZoomSource ZoomSourceAround(std::int32_t pointX, std::int32_t pointY, std::int32_t viewWidth,
                            std::int32_t viewHeight, std::int32_t rate) {
    if (rate < 1) return {pointX, pointY, 0, 0};
    const std::int32_t width = viewWidth / rate;
    const std::int32_t height = viewHeight / rate;
    return {pointX - (width >> 1), pointY - (height >> 1), width, height};
}

}  // namespace tintora
