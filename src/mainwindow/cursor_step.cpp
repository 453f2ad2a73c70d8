#include "mainwindow/cursor_step.h"

#include <algorithm>
#include <limits>

namespace tintora {

namespace {

// The cursor as a window one pixel wide, kept inside the span like a saved window.
std::int32_t StepWithin(std::int32_t from, std::int32_t step, std::int32_t low, std::int32_t high) {
    const std::int64_t to = std::clamp<std::int64_t>(std::int64_t{from} + step, std::numeric_limits<std::int32_t>::min(),
                                                     std::numeric_limits<std::int32_t>::max());
    return ClampIntoSpan(static_cast<std::int32_t>(to), 1, low, high);
}

}  // namespace

CursorPoint StepCursor(CursorPoint from, std::int32_t dx, std::int32_t dy, const Box& screen) {
    return {StepWithin(from.x, dx, screen.left, screen.right), StepWithin(from.y, dy, screen.top, screen.bottom)};
}

}  // namespace tintora
