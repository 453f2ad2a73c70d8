// Where a key moves the cursor: a step from where it is, kept on the screen. Pure.
#pragma once

#include <cstdint>

#include "mainwindow/placement_math.h"

namespace tintora {

struct CursorPoint {
    std::int32_t x, y;
};

// from moved by (dx, dy) and held inside screen, the virtual screen of every monitor, whose
// right and bottom lie just outside; its left and top may be negative.
CursorPoint StepCursor(CursorPoint from, std::int32_t dx, std::int32_t dy, const Box& screen);

}  // namespace tintora
