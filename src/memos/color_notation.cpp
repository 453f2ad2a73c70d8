#include "memos/color_notation.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "app/text_format.h"
#include "memos/css_color_names.h"

namespace tintora {

namespace {

constexpr char kHexFormat[] = "%.2x%.2x%.2x";
constexpr char kHslFormat[] = "hsl(%u, %u%%, %u%%)";
constexpr char kHsvFormat[] = "hsv(%u, %u%%, %u%%)";
// Fixed decimals from integers rounded beforehand: the system's formatter has no %f.
constexpr char kOklchFormat[] = "oklch(%u.%.2u%% %u.%.4u %u.%.2u)";
constexpr char kNameFormat[] = "%s";

constexpr std::uint32_t kChannelMax = 255;
constexpr std::uint32_t kDegrees = 360;
constexpr std::uint32_t kSextant = 60;  // degrees between a primary and the next secondary
constexpr std::uint32_t kPercent = 100;

// The OKLCH figures are rounded to 2, 4 and 2 decimals: counted in these parts of a unit.
constexpr std::uint32_t kHundredths = 100;
constexpr std::uint32_t kTenThousandths = 10000;

// The sRGB transfer function, from the encoded value to linear light.
constexpr double kTransferLinearEnd = 0.04045;
constexpr double kTransferSlope = 12.92;
constexpr double kTransferOffset = 0.055;
constexpr double kTransferGamma = 2.4;

// Björn Ottosson's published OKLab matrices: linear sRGB to cone responses, and their cube roots
// to lightness, a and b.
constexpr double kLinearToLms[3][3] = {
    {0.4122214708, 0.5363325363, 0.0514459929},
    {0.2119034982, 0.6806995451, 0.1073969566},
    {0.0883024619, 0.2817188376, 0.6299787005},
};
constexpr double kLmsToOklab[3][3] = {
    {0.2104542553, 0.7936177850, -0.0040720468},
    {1.9779984951, -2.4285922050, 0.4505937099},
    {0.0259040371, 0.7827717662, -0.8086757660},
};

struct Bytes {
    std::uint32_t red, green, blue;
};

Bytes LowBytes(Channels c) { return {c.red & 0xFFu, c.green & 0xFFu, c.blue & 0xFFu}; }

// numerator / denominator to the nearest whole number, halves up.
std::uint32_t RoundedRatio(std::uint32_t numerator, std::uint32_t denominator) {
    return (2 * numerator + denominator) / (2 * denominator);
}

std::uint32_t RoundHalfUp(double value) { return static_cast<std::uint32_t>(std::floor(value + 0.5)); }

// The hue in whole degrees and the largest and smallest channel, exactly, from integers.
struct HueAndRange {
    std::uint32_t hue, high, low;
};

HueAndRange HueOf(Bytes b) {
    const std::uint32_t high = std::max({b.red, b.green, b.blue});
    const std::uint32_t low = std::min({b.red, b.green, b.blue});
    const std::uint32_t range = high - low;
    if (range == 0) return {0, high, low};
    // The hue in sextants times the range: the largest channel's own sextant (red 0, green 2,
    // blue 4) plus the difference of the other two, a negative hue wrapped round the circle.
    std::uint32_t sextants;
    if (high == b.red) {
        sextants = b.green >= b.blue ? b.green - b.blue : 6 * range - (b.blue - b.green);
    } else if (high == b.green) {
        sextants = 2 * range + b.blue - b.red;
    } else {
        sextants = 4 * range + b.red - b.green;
    }
    const std::uint32_t hue = RoundedRatio(kSextant * sextants, range);
    return {hue == kDegrees ? 0 : hue, high, low};
}

struct Oklab {
    double lightness, a, b;
};

Oklab OklabOf(Bytes c) {
    const double rgb[3] = {LinearLight(c.red), LinearLight(c.green), LinearLight(c.blue)};
    double roots[3];
    for (int i = 0; i < 3; ++i) {
        const double lms = kLinearToLms[i][0] * rgb[0] + kLinearToLms[i][1] * rgb[1] + kLinearToLms[i][2] * rgb[2];
        roots[i] = std::cbrt(lms);
    }
    double lab[3];
    for (int i = 0; i < 3; ++i) {
        lab[i] = kLmsToOklab[i][0] * roots[0] + kLmsToOklab[i][1] * roots[1] + kLmsToOklab[i][2] * roots[2];
    }
    return {lab[0], lab[1], lab[2]};
}

double SquaredDistance(const Oklab& p, const Oklab& q) {
    const double dl = p.lightness - q.lightness, da = p.a - q.a, db = p.b - q.b;
    return dl * dl + da * da + db * db;
}

}  // namespace

double LinearLight(std::uint32_t channel) {
    const double v = static_cast<double>(channel) / kChannelMax;
    if (v <= kTransferLinearEnd) return v / kTransferSlope;
    // The power by way of the logarithm: the library's general pow would add more to the program
    // than everything else here.
    return std::exp(kTransferGamma * std::log((v + kTransferOffset) / (1 + kTransferOffset)));
}

int FormatHexNotation(char* buffer, Channels c) {
    const Bytes b = LowBytes(c);
    return FormatText(buffer, kNotationSize, kHexFormat, b.red, b.green, b.blue);
}

int FormatHslNotation(char* buffer, Channels c) {
    const HueAndRange h = HueOf(LowBytes(c));
    const std::uint32_t sum = h.high + h.low;
    const std::uint32_t range = h.high - h.low;
    // Saturation: the range over what the lightness leaves room for, 255 - |sum - 255|.
    const std::uint32_t room = sum > kChannelMax ? 2 * kChannelMax - sum : sum;
    const std::uint32_t saturation = range == 0 ? 0 : RoundedRatio(kPercent * range, room);
    const std::uint32_t lightness = RoundedRatio(kPercent * sum, 2 * kChannelMax);
    return FormatText(buffer, kNotationSize, kHslFormat, h.hue, saturation, lightness);
}

int FormatHsvNotation(char* buffer, Channels c) {
    const HueAndRange h = HueOf(LowBytes(c));
    const std::uint32_t saturation = h.high == 0 ? 0 : RoundedRatio(kPercent * (h.high - h.low), h.high);
    const std::uint32_t value = RoundedRatio(kPercent * h.high, kChannelMax);
    return FormatText(buffer, kNotationSize, kHsvFormat, h.hue, saturation, value);
}

int FormatOklchNotation(char* buffer, Channels c) {
    const Oklab lab = OklabOf(LowBytes(c));
    const std::uint32_t lightness = RoundHalfUp((lab.lightness > 0 ? lab.lightness : 0) * kPercent * kHundredths);
    const std::uint32_t chroma = RoundHalfUp(std::sqrt(lab.a * lab.a + lab.b * lab.b) * kTenThousandths);
    double degrees = std::atan2(lab.b, lab.a) * (kDegrees / 2) / std::numbers::pi;
    if (degrees < 0) degrees += kDegrees;
    std::uint32_t hue = RoundHalfUp(degrees * kHundredths);
    // A grey has no hue; a hue that rounds up to the full circle is its start.
    if (chroma == 0 || hue >= kDegrees * kHundredths) hue = 0;
    return FormatText(buffer, kNotationSize, kOklchFormat, lightness / kHundredths, lightness % kHundredths,
                      chroma / kTenThousandths, chroma % kTenThousandths, hue / kHundredths, hue % kHundredths);
}

int FormatNameNotation(char* buffer, Channels c) {
    const Oklab target = OklabOf(LowBytes(c));
    const NamedColor* best = nullptr;
    double bestDistance = 0;
    for (int i = 0; i < kCssColorNameCount; ++i) {
        const NamedColor& named = kCssColorNames[i];
        const double d = SquaredDistance(target, OklabOf({named.rgb >> 16, (named.rgb >> 8) & 0xFFu, named.rgb & 0xFFu}));
        // Two spellings of one colour tie: the alphabetically first wins.
        if (!best || d < bestDistance || (d == bestDistance && std::strcmp(named.name, best->name) < 0)) {
            best = &named;
            bestDistance = d;
        }
    }
    return FormatText(buffer, kNotationSize, kNameFormat, best->name);
}

}  // namespace tintora
