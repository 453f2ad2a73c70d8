// Where a window goes to sit in the middle of the screen. Pure.
#pragma once

namespace tintora {

struct Placement {
    bool move;  // false: the window is larger than the screen and stays where it is
    int x, y;
};

// Height is tested before width; a window that does not fit either way is not moved at all.
Placement CenteredPosition(unsigned width, unsigned height, unsigned screenWidth, unsigned screenHeight);

}  // namespace tintora
