#include "settings/hotkey_code.h"

namespace tintora {

namespace {

constexpr std::uint32_t kByteMask = 0xFF;
constexpr int kByteBits = 8;

// RegisterHotKey's modifier flags.
constexpr std::uint32_t kModAlt = 1;
constexpr std::uint32_t kModControl = 2;
constexpr std::uint32_t kModShift = 4;
constexpr std::uint32_t kModWin = 8;

// The hotkey control's modifier flags; it has none for the Win key.
constexpr std::uint32_t kControlShift = 1;
constexpr std::uint32_t kControlCtrl = 2;
constexpr std::uint32_t kControlAlt = 4;

struct ModifierPair {
    std::uint32_t saved, control;
};
constexpr ModifierPair kModifierPairs[] = {
    {kModAlt, kControlAlt}, {kModControl, kControlCtrl}, {kModShift, kControlShift}};

}  // namespace

std::uint32_t HotkeyModifiers(std::uint32_t code) { return code & kByteMask; }

std::uint32_t HotkeyKey(std::uint32_t code) { return (code >> kByteBits) & kByteMask; }

HotkeyControlState HotkeyControlFromCode(std::uint32_t code) {
    std::uint32_t flags = 0;
    for (const auto& pair : kModifierPairs) {
        if (code & pair.saved) flags |= pair.control;
    }
    return {(flags << kByteBits) | HotkeyKey(code), (code & kModWin) != 0};
}

std::uint32_t HotkeyCodeFromControl(std::uint32_t value, bool win) {
    const std::uint32_t key = value & kByteMask;
    if (key == 0) return 0;
    const std::uint32_t flags = (value >> kByteBits) & kByteMask;
    std::uint32_t code = key << kByteBits;
    if (win) code |= kModWin;
    for (const auto& pair : kModifierPairs) {
        if (flags & pair.control) code |= pair.saved;
    }
    return code;
}

}  // namespace tintora
