#include "app/dpi_scale.h"

namespace tintora {

std::int32_t ScaleBetween(std::int32_t value, std::uint32_t from, std::uint32_t to) {
    if (from == 0) return value;
    const std::int64_t product = std::int64_t{value} * to;
    const std::int64_t half = from / 2;
    const std::int64_t rounded = product >= 0 ? (product + half) / from : -((-product + half) / from);
    return static_cast<std::int32_t>(rounded);
}

int ButtonPictureIndex(std::uint32_t dpi) {
    const std::int32_t wanted = ScaleToDpi(kButtonPictureSizes[0], dpi);
    int index = 0;
    for (int i = 1; i < kButtonPictureCount; ++i) {
        if (kButtonPictureSizes[i] <= wanted) index = i;
    }
    return index;
}

}  // namespace tintora
