#include "memos/copy_template.h"

#include <cstring>

#include "app/text_format.h"
#include "memos/color_notation.h"
#include "memos/contrast_ratio.h"

namespace tintora {

namespace {

constexpr char kDecimalFormat[] = "%u";
constexpr char kHexFormat[] = "%.2X";
constexpr char kLineBreak[] = "\r\n";

// The braced tokens. A token is matched at its brace before any letter in it counts, so the r
// of {contrast} is no channel; no template held that token before it became one.
struct Token {
    const char* text;
    int (*format)(char* buffer, Channels c, const CopyContext& context);
};

template <int (*Notation)(char*, Channels)>
int OfColor(char* buffer, Channels c, const CopyContext&) {
    return Notation(buffer, c);
}

int Contrast(char* buffer, Channels c, const CopyContext& context) {
    return FormatContrastRatio(buffer, ContrastHundredths(c, context.reference));
}

// Nothing in a copy of the current colour.
int MemoNumber(char* buffer, Channels, const CopyContext& context) {
    *buffer = '\0';
    return context.memoNumber == 0 ? 0 : FormatText(buffer, kNotationSize, kDecimalFormat, context.memoNumber);
}

constexpr Token kTokens[] = {
    {"{hex}", OfColor<FormatHexNotation>},
    {"{hsl}", OfColor<FormatHslNotation>},
    {"{hsv}", OfColor<FormatHsvNotation>},
    {"{oklch}", OfColor<FormatOklchNotation>},
    {"{name}", OfColor<FormatNameNotation>},
    {"{contrast}", Contrast},
    {"{n}", MemoNumber},
};
static_assert(kContrastTextSize <= kNotationSize);

// Adds the part whole, or not at all when it would pass the limit.
void Append(std::string& out, const char* part, std::size_t length) {
    if (out.size() + length <= kCopyTextLimit) out.append(part, length);
}

void AppendNumber(std::string& out, const char* format, std::uint32_t value) {
    char textBuffer[16];
    Append(out, textBuffer, static_cast<std::size_t>(FormatText(textBuffer, sizeof textBuffer, format, value)));
}

// The token the template has at p, or null.
const Token* TokenAt(const char* p) {
    for (const Token& token : kTokens) {
        if (std::strncmp(p, token.text, std::strlen(token.text)) == 0) return &token;
    }
    return nullptr;
}

}  // namespace

std::string ExpandCopyTemplate(const char* copyTemplate, Channels c, const CopyContext& context) {
    std::string out;
    for (const char* p = copyTemplate; *p; ++p) {
        switch (*p) {
        case 'r': AppendNumber(out, kDecimalFormat, c.red); break;
        case 'g': AppendNumber(out, kDecimalFormat, c.green); break;
        case 'b': AppendNumber(out, kDecimalFormat, c.blue); break;
        case 'R': AppendNumber(out, kHexFormat, c.red); break;
        case 'G': AppendNumber(out, kHexFormat, c.green); break;
        case 'B': AppendNumber(out, kHexFormat, c.blue); break;
        case '{':
            if (const Token* token = TokenAt(p)) {
                char notation[kNotationSize];
                Append(out, notation, static_cast<std::size_t>(token->format(notation, c, context)));
                p += std::strlen(token->text) - 1;
                break;
            }
            [[fallthrough]];
        default: Append(out, p, 1); break;
        }
    }
    return out;
}

std::string ExpandPalette(const char* copyTemplate, const Channels* memos, std::size_t count, Channels reference) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) out += kLineBreak;
        out += ExpandCopyTemplate(copyTemplate, memos[i], {reference, static_cast<std::uint32_t>(i + 1)});
    }
    return out;
}

}  // namespace tintora
