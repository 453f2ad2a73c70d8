#include "memos/centering.h"

namespace tintora {

Placement CenteredPosition(unsigned width, unsigned height, unsigned screenWidth, unsigned screenHeight) {
    if (height > screenHeight || width > screenWidth) return {false, 0, 0};
    return {true, static_cast<int>((screenWidth - width) / 2), static_cast<int>((screenHeight - height) / 2)};
}

}  // namespace tintora
