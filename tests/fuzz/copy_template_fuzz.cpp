// Copy-template expansion for any template and any channels, a hand-edited memo's blue above 255
// included: each template byte, or braced token, gives its own part in order, a part that would
// pass the limit is left out whole, so the text's length is the sum of the parts kept. Every
// number is formatted into a small fixed buffer first; the sanitizer catches a byte written past
// it, and the length catches a number cut short. Each token's text has its notation's shape.
#include <charconv>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "memos/color_notation.h"
#include "memos/contrast_ratio.h"
#include "memos/copy_template.h"
#include "memos/css_color_names.h"

namespace {

using tintora::Channels;
using tintora::fuzz::Require;

constexpr std::size_t kHexDigitsAtLeast = 2;

std::string Number(std::uint32_t value, int base) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value, base).ptr;
    std::string text(digits, end);
    for (char& c : text) c = c >= 'a' && c <= 'f' ? static_cast<char>(c - 'a' + 'A') : c;
    if (base == 16 && text.size() < kHexDigitsAtLeast) {
        text.insert(0, kHexDigitsAtLeast - text.size(), '0');
    }
    return text;
}

// Reads a notation's text piece by piece; ok stays true while each piece is there.
struct Reader {
    std::string_view rest;
    bool ok = true;

    void Literal(std::string_view text) {
        ok = ok && rest.substr(0, text.size()) == text;
        if (ok) rest.remove_prefix(text.size());
    }
    // Exactly count digits, or with count 0 one to three without a leading zero; at most top.
    std::uint32_t Digits(std::size_t count, std::uint32_t top) {
        std::size_t n = 0;
        while (n < rest.size() && rest[n] >= '0' && rest[n] <= '9') ++n;
        ok = ok && (count ? n == count : n >= 1 && n <= 3 && (n == 1 || rest[0] != '0'));
        std::uint32_t value = 0;
        if (ok) std::from_chars(rest.data(), rest.data() + n, value);
        ok = ok && value <= top;
        if (ok) rest.remove_prefix(n);
        return value;
    }
    bool Done() const { return ok && rest.empty(); }
};

bool HexShaped(std::string_view text) {
    return text.size() == 6 && text.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

bool HueSaturationShaped(std::string_view text, std::string_view name) {
    Reader r{text};
    r.Literal(name);
    r.Literal("(");
    r.Digits(0, 359);
    r.Literal(", ");
    r.Digits(0, 100);
    r.Literal("%, ");
    r.Digits(0, 100);
    r.Literal("%)");
    return r.Done();
}

bool OklchShaped(std::string_view text) {
    Reader r{text};
    r.Literal("oklch(");
    const std::uint32_t whole = r.Digits(0, 100);
    r.Literal(".");
    const std::uint32_t hundredths = r.Digits(2, 99);
    r.Literal("% 0.");
    const std::uint32_t chroma = r.Digits(4, 9999);
    r.Literal(" ");
    r.Digits(0, 359);
    r.Literal(".");
    const std::uint32_t hue = r.Digits(2, 99);
    r.Literal(")");
    return r.Done() && (whole < 100 || hundredths == 0) && (chroma > 0 || hue == 0);
}

bool NameShaped(std::string_view text) {
    for (int i = 0; i < tintora::kCssColorNameCount; ++i) {
        if (text == tintora::kCssColorNames[i].name) return true;
    }
    return false;
}

struct TokenCheck {
    std::string_view token;
    int (*format)(char* buffer, Channels c);
    bool (*shaped)(std::string_view text);
};
const TokenCheck kTokens[] = {
    {"{hex}", tintora::FormatHexNotation, HexShaped},
    {"{hsl}", tintora::FormatHslNotation, [](std::string_view t) { return HueSaturationShaped(t, "hsl"); }},
    {"{hsv}", tintora::FormatHsvNotation, [](std::string_view t) { return HueSaturationShaped(t, "hsv"); }},
    {"{oklch}", tintora::FormatOklchNotation, OklchShaped},
    {"{name}", tintora::FormatNameNotation, NameShaped},
};

// The tokens that need more than the colour.
std::string ContextPart(std::string_view p, const Channels& ch, const tintora::CopyContext& context, std::size_t& used) {
    if (p.substr(0, 3) == "{n}") {
        used = 3;
        return context.memoNumber == 0 ? "" : std::to_string(context.memoNumber);
    }
    constexpr std::string_view kContrast = "{contrast}";
    if (p.substr(0, kContrast.size()) != kContrast) return {};
    used = kContrast.size();
    char text[tintora::kContrastTextSize];
    tintora::FormatContrastRatio(text, tintora::ContrastHundredths(ch, context.reference));
    return text;
}

// What the template at p stands for, worked out apart from the expansion; used counts the
// template bytes it takes.
std::string Part(std::string_view p, const Channels& ch, const tintora::CopyContext& context, std::size_t& used) {
    used = 1;
    std::string text = ContextPart(p, ch, context, used);
    if (used > 1) return text;
    for (const TokenCheck& t : kTokens) {
        if (p.substr(0, t.token.size()) != t.token) continue;
        used = t.token.size();
        char text[tintora::kNotationSize];
        t.format(text, ch);
        Require(t.shaped(text), "a token's text has its notation's shape");
        return text;
    }
    switch (p[0]) {
    case 'r': return Number(ch.red, 10);
    case 'g': return Number(ch.green, 10);
    case 'b': return Number(ch.blue, 10);
    case 'R': return Number(ch.red, 16);
    case 'G': return Number(ch.green, 16);
    case 'B': return Number(ch.blue, 16);
    default: return std::string(1, p[0]);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tintora::fuzz::Input input(data, size);
    Channels channels;
    channels.red = input.Take<std::uint32_t>();
    channels.green = input.Take<std::uint32_t>();
    channels.blue = input.Take<std::uint32_t>();
    const std::vector<char> copyTemplate = tintora::fuzz::CText(input.Rest());
    // The reference memo and the memo number (0: a copy of the current colour) come from the
    // channels' bytes, so that an input of the channels and a template still reads as it did.
    const tintora::CopyContext context{{channels.blue, channels.red, channels.green}, channels.red % 7};

    const std::string text = tintora::ExpandCopyTemplate(copyTemplate.data(), channels, context);
    Require(text.size() <= tintora::kCopyTextLimit, "no text beyond the limit");
    const std::string_view rest(copyTemplate.data());
    std::size_t at = 0;
    for (std::size_t i = 0, used = 0; i < rest.size(); i += used) {
        const std::string part = Part(rest.substr(i), channels, context, used);
        if (at + part.size() > tintora::kCopyTextLimit) continue;
        Require(std::string_view(text).substr(at, part.size()) == part,
                "each template part gives its own text, in order");
        at += part.size();
    }
    Require(at == text.size(), "the text's length is the sum of the parts kept");
    return 0;
}
