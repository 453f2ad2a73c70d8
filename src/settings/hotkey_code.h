// The copy hotkey in its two shapes. The saved code holds the key in bits 8..15 and the
// RegisterHotKey modifier flags in the low byte; the hotkey control holds the key in its low
// byte and its own modifier flags in the next, with the Win key beside it as a check box.
// Pure: no platform calls.
#pragma once

#include <cstdint>

namespace tintora {

struct HotkeyControlState {
    std::uint32_t value;  // what the hotkey control takes and gives: 0 shows it empty
    bool win;             // the Win check box
};

HotkeyControlState HotkeyControlFromCode(std::uint32_t code);
// No key means no hotkey, whatever modifiers are held; the extended-key flag is dropped.
std::uint32_t HotkeyCodeFromControl(std::uint32_t value, bool win);

// The two halves RegisterHotKey takes.
std::uint32_t HotkeyModifiers(std::uint32_t code);
std::uint32_t HotkeyKey(std::uint32_t code);

}  // namespace tintora
