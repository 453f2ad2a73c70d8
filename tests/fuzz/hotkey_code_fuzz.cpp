// The copy hotkey's two shapes for any saved code and any control value: each converts into a
// value the other side accepts, and a real key combination survives the way there and back.
#include "fuzz_input.h"
#include "settings/hotkey_code.h"

namespace {

using namespace tintora;
using tintora::fuzz::Require;

constexpr std::uint32_t kKeyMask = 0xFF;
constexpr std::uint32_t kSavedModifiers = 0x0F;      // Alt, Ctrl, Shift, Win
constexpr std::uint32_t kControlModifiers = 0x0700;  // Shift, Ctrl, Alt: no Win, never extended
constexpr std::uint32_t kModWin = 8;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tintora::fuzz::Input input(data, size);
    const auto code = input.Take<std::uint32_t>();
    const auto value = input.Take<std::uint32_t>();
    const bool win = (input.Take<std::uint8_t>() & 1) != 0;

    Require((HotkeyKey(code) << 8 | HotkeyModifiers(code)) == (code & 0xFFFF),
            "RegisterHotKey gets the code's key and modifier bytes");

    const HotkeyControlState shown = HotkeyControlFromCode(code);
    Require((shown.value & ~(kControlModifiers | kKeyMask)) == 0 &&
                (shown.value & kKeyMask) == HotkeyKey(code) && shown.win == ((code & kModWin) != 0),
            "the control shows the code's key with its own modifiers and the Win box");

    const std::uint32_t saved = HotkeyCodeFromControl(value, win);
    if ((value & kKeyMask) == 0) {
        Require(saved == 0, "no key saves no hotkey");
    } else {
        Require((saved & ~(kKeyMask << 8 | kSavedModifiers)) == 0 &&
                    HotkeyKey(saved) == (value & kKeyMask) && ((saved & kModWin) != 0) == win,
                "the saved code holds the key, the modifiers and the Win box");
        const HotkeyControlState again = HotkeyControlFromCode(saved);
        Require(again.value == (value & (kControlModifiers | kKeyMask)) && again.win == win,
                "the control shows again what was saved, less the extended-key flag");
    }
    if (HotkeyKey(code) != 0) {
        Require(HotkeyCodeFromControl(shown.value, shown.win) ==
                    (code & (kKeyMask << 8 | kSavedModifiers)),
                "a saved combination opened and saved again stays the same");
    }
    return 0;
}
