// Copy-template expansion for any template and any channels, a hand-edited memo's blue above 255
// included: each template byte gives its own part in order, so the text's length is the sum of
// its parts. Every number is formatted into a small fixed buffer first; the sanitizer catches a
// byte written past it, and the length catches a number cut short.
#include <charconv>
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "memos/copy_template.h"

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

// What one template byte stands for, worked out apart from the expansion.
std::string Part(char c, const Channels& ch) {
    switch (c) {
    case 'r': return Number(ch.red, 10);
    case 'g': return Number(ch.green, 10);
    case 'b': return Number(ch.blue, 10);
    case 'R': return Number(ch.red, 16);
    case 'G': return Number(ch.green, 16);
    case 'B': return Number(ch.blue, 16);
    default: return std::string(1, c);
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

    const std::string text = tintora::ExpandCopyTemplate(copyTemplate.data(), channels);
    std::size_t at = 0;
    for (const char* c = copyTemplate.data(); *c; ++c) {
        const std::string part = Part(*c, channels);
        Require(std::string_view(text).substr(at, part.size()) == part,
                "each template byte gives its own part, in order");
        at += part.size();
    }
    Require(at == text.size(), "the text's length is the sum of its parts");
    return 0;
}
