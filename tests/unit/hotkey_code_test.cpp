#include "settings/hotkey_code.h"

#include <gtest/gtest.h>

namespace tintora {
namespace {

// The hotkey control's modifier flags, as the control reports them.
constexpr std::uint32_t kShift = 1, kCtrl = 2, kAlt = 4, kExt = 8;

constexpr std::uint32_t Control(std::uint32_t flags, std::uint32_t key) { return flags << 8 | key; }

TEST(HotkeyCode, ControlValueBecomesSavedCode) {
    const struct {
        const char* what;
        std::uint32_t value;
        bool win;
        std::uint32_t code;
    } cases[] = {
        {"Win box with Ctrl+Shift+X", Control(kCtrl | kShift, 'X'), true, 22542},
        {"Ctrl+Alt+C", Control(kCtrl | kAlt, 'C'), false, 0x4303},
        {"modifiers only, even with the Win box", Control(kCtrl | kShift, 0), true, 0},
        {"empty control", 0, false, 0},
        {"F9 alone", Control(0, 0x78), false, 0x7800},
        {"extended-key flag dropped", Control(kAlt | kExt, 0x2E), false, 0x2E01},
        {"Win box alone with a key", Control(0, 'Q'), true, 0x5108},
    };
    for (const auto& c : cases) EXPECT_EQ(HotkeyCodeFromControl(c.value, c.win), c.code) << c.what;
}

TEST(HotkeyCode, SavedCodeBecomesControlValue) {
    const struct {
        const char* what;
        std::uint32_t code, value;
        bool win;
    } cases[] = {
        {"default Ctrl+Alt+C", 0x4303, Control(kCtrl | kAlt, 'C'), false},
        {"Win+Ctrl+Shift+X", 0x580E, Control(kCtrl | kShift, 'X'), true},
        {"no hotkey shows empty", 0, 0, false},
        {"F9 alone has a zero modifier byte", 0x7800, Control(0, 0x78), false},
        {"bits above the key are ignored", 0x14303, Control(kCtrl | kAlt, 'C'), false},
    };
    for (const auto& c : cases) {
        const HotkeyControlState s = HotkeyControlFromCode(c.code);
        EXPECT_EQ(s.value, c.value) << c.what;
        EXPECT_EQ(s.win, c.win) << c.what;
    }
}

TEST(HotkeyCode, EveryModifierMixSurvivesTheDialogUnchanged) {
    for (std::uint32_t modifiers = 0; modifiers < 16; ++modifiers) {
        const std::uint32_t code = 'K' << 8 | modifiers;
        const HotkeyControlState s = HotkeyControlFromCode(code);
        EXPECT_EQ(HotkeyCodeFromControl(s.value, s.win), code) << modifiers;
    }
}

}  // namespace
}  // namespace tintora
