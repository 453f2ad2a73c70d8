// Every settings key with its default and the rule that turns what the file holds into the
// value the program uses. Pure: the store does the reading.
#pragma once

#include <cstdint>

#include "sampling/color_analysis.h"

namespace tintora::settings {

constexpr char kSection[] = "options";

enum class IntRule {
    AsRead,   // all 32 bits as the file gives them
    Flag,     // 0 stays 0, anything else becomes 1
    InRange,  // low ... high (unsigned, so negatives fail) kept, anything else gives the default
};

struct IntSetting {
    const char* key;
    std::uint32_t defaultValue;
    IntRule rule;
    std::uint32_t low = 0, high = 0;  // InRange only
};

constexpr std::uint32_t kOff = 0;
constexpr std::uint32_t kWhite = 0xFFFFFF;

constexpr IntSetting kCopySetting{"copy", kDefaultCopyHotkey, IntRule::AsRead};
constexpr IntSetting kMemoSettings[] = {
    {"memo1", kWhite, IntRule::AsRead}, {"memo2", kWhite, IntRule::AsRead},
    {"memo3", kWhite, IntRule::AsRead}, {"memo4", kWhite, IntRule::AsRead},
    {"memo5", kWhite, IntRule::AsRead}, {"memo6", kWhite, IntRule::AsRead},
};
constexpr IntSetting kTransparentSetting{"transparent", kOff, IntRule::Flag};
constexpr IntSetting kWebSetting{"web", kOff, IntRule::Flag};
constexpr IntSetting kUseShiftSetting{"useshift", kOff, IntRule::Flag};
// Whether the preview shows the contrast with the reference memo.
constexpr IntSetting kContrastSetting{"contrast", kOff, IntRule::Flag};
// Magnifier refresh interval in milliseconds, and its magnification.
constexpr IntSetting kZoomUpdateSetting{"zoomupdate", 50, IntRule::InRange, 10, 200};
constexpr IntSetting kZoomRateSetting{"zoomrate", 4, IntRule::InRange, 2, 16};
// The sampling offset from the cursor, signed screen pixels.
constexpr IntSetting kShiftXSetting{"shiftx", kOff, IntRule::AsRead};
constexpr IntSetting kShiftYSetting{"shifty", kOff, IntRule::AsRead};
// Whether the magnifier was shown when it was last switched.
constexpr IntSetting kZoomSetting{"zoom", kOff, IntRule::AsRead};

// The copy template, read as text.
constexpr char kFormatKey[] = "format";
constexpr char kFormatDefault[] = "RGB";
// The main window's saved position: text, parsed by ParseSignedDecimal.
constexpr char kXKey[] = "x";
constexpr char kYKey[] = "y";
constexpr char kPositionDefault[] = "0";

// The value the program uses for what the integer read gave.
std::uint32_t ApplyRule(const IntSetting& setting, std::uint32_t read);

// An optional single '-' and the decimal digits after it, wrapping in 32 bits; no blank is
// skipped and no '+' accepted, so anything else in front gives 0.
std::int32_t ParseSignedDecimal(const char* text);

}  // namespace tintora::settings
