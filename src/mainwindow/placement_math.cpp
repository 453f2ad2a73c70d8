#include "mainwindow/placement_math.h"

namespace tintora {

namespace {

// Sums and differences in 64 bits: a hand-edited position near the 32-bit limits must still
// compare the right way round instead of wrapping past the edge it is tested against.
std::int64_t Wide(std::int32_t v) { return v; }

// Pulls both ends of one axis by the distance of `edge` from `target` when that is close enough.
void SnapAxis(std::int32_t& edge, std::int32_t& opposite, std::int32_t target, std::uint32_t distance) {
    const std::int64_t d = Wide(edge) - target;
    const std::uint64_t magnitude = d < 0 ? static_cast<std::uint64_t>(-d) : static_cast<std::uint64_t>(d);
    if (magnitude > distance) return;
    edge = static_cast<std::int32_t>(Wide(edge) - d);
    opposite = static_cast<std::int32_t>(Wide(opposite) - d);
}

}  // namespace

std::int32_t ClampIntoSpan(std::int32_t position, std::int32_t extent, std::int32_t low,
                           std::int32_t high) {
    std::int64_t start = position;
    if (start <= low) start = low;
    if (start + extent > high) start = Wide(high) - extent;
    return static_cast<std::int32_t>(start);
}

void SnapToEdges(Box& r, const Box& work, std::uint32_t distance) {
    SnapAxis(r.left, r.right, work.left, distance);
    SnapAxis(r.right, r.left, work.right, distance);
    SnapAxis(r.top, r.bottom, work.top, distance);
    SnapAxis(r.bottom, r.top, work.bottom, distance);
}

}  // namespace tintora
