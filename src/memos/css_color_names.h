// The named colours of CSS, transparent left out. Pure.
#pragma once

#include <cstdint>

namespace tintora {

struct NamedColor {
    const char* name;
    std::uint32_t rgb;  // 0xRRGGBB
};

// In alphabetical order; some colours have two spellings (aqua and cyan, fuchsia and magenta,
// the gray and grey names).
extern const NamedColor kCssColorNames[];
extern const int kCssColorNameCount;

}  // namespace tintora
