#include "memos/copy_template.h"

#include <cstring>

#include "app/text_format.h"
#include "memos/color_notation.h"

namespace tintora {

namespace {

constexpr char kDecimalFormat[] = "%u";
constexpr char kHexFormat[] = "%.2X";

// The braced tokens; their names hold none of the six channel letters.
struct Token {
    const char* text;
    int (*format)(char* buffer, Channels c);
};
constexpr Token kTokens[] = {
    {"{hex}", FormatHexNotation},
    {"{hsl}", FormatHslNotation},
    {"{hsv}", FormatHsvNotation},
    {"{oklch}", FormatOklchNotation},
    {"{name}", FormatNameNotation},
};

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

std::string ExpandCopyTemplate(const char* copyTemplate, Channels c) {
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
                Append(out, notation, static_cast<std::size_t>(token->format(notation, c)));
                p += std::strlen(token->text) - 1;
                break;
            }
            [[fallthrough]];
        default: Append(out, p, 1); break;
        }
    }
    return out;
}

}  // namespace tintora
