// Where the main window may sit: a saved position kept inside the work area, and a dragged
// window pulled onto the work area's edges. Pure: no platform calls.
#pragma once

#include <cstdint>

namespace tintora {

// Screen pixels as the system lays them out: right and bottom lie just outside.
struct Box {
    std::int32_t left, top, right, bottom;
};

// The start of a window of the given extent saved at position, kept inside [low, high): at or
// before low it starts at low; then, when it reaches past high, it ends at high. The far edge
// wins, so a window longer than the span ends at high and starts before low.
std::int32_t ClampIntoSpan(std::int32_t position, std::int32_t extent, std::int32_t low,
                           std::int32_t high);

// Moves r, keeping its size, onto each edge of work that it is within distance of, inside or
// outside: left, right, top, bottom in turn, each on r as the earlier ones left it.
void SnapToEdges(Box& r, const Box& work, std::uint32_t distance);

}  // namespace tintora
