#include "memos/contrast_ratio.h"

#include <cmath>

#include "app/text_format.h"
#include "memos/color_notation.h"

namespace tintora {

namespace {

// Relative luminance: the weights of red, green and blue in linear light.
constexpr double kRedWeight = 0.2126;
constexpr double kGreenWeight = 0.7152;
constexpr double kBlueWeight = 0.0722;
// Added to both luminances, for the light a screen reflects.
constexpr double kFlare = 0.05;

constexpr std::uint32_t kHundredths = 100;
// Floating-point error may leave an exact ratio (21 for black on white) a hair below its value;
// far less than any real difference of two 8-bit colours.
constexpr double kRoundingSlack = 1e-9;

constexpr char kRatioFormat[] = "%u.%.2u:1";

struct Level {
    std::uint32_t hundredths;  // reached from here up
    const char* text;
};
constexpr Level kLevels[] = {{700, "AAA"}, {450, "AA"}, {300, "Large"}};
constexpr char kFailText[] = "Fail";

constexpr Channels kBlack{0, 0, 0};
constexpr Channels kWhite{255, 255, 255};

double Luminance(Channels c) {
    return kRedWeight * LinearLight(c.red & 0xFFu) + kGreenWeight * LinearLight(c.green & 0xFFu) +
           kBlueWeight * LinearLight(c.blue & 0xFFu);
}

}  // namespace

double ContrastRatio(Channels a, Channels b) {
    const double la = Luminance(a) + kFlare;
    const double lb = Luminance(b) + kFlare;
    return la > lb ? la / lb : lb / la;
}

std::uint32_t ContrastHundredths(Channels a, Channels b) {
    return static_cast<std::uint32_t>(std::floor(ContrastRatio(a, b) * kHundredths + kRoundingSlack));
}

int FormatContrastRatio(char* buffer, std::uint32_t hundredths) {
    return FormatText(buffer, kContrastTextSize, kRatioFormat, hundredths / kHundredths, hundredths % kHundredths);
}

const char* ContrastLevel(std::uint32_t hundredths) {
    for (const Level& level : kLevels) {
        if (hundredths >= level.hundredths) return level.text;
    }
    return kFailText;
}

bool WhiteReadsBetterOn(Channels background) {
    return ContrastRatio(background, kWhite) > ContrastRatio(background, kBlack);
}

}  // namespace tintora
