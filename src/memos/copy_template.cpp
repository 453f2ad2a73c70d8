#include "memos/copy_template.h"

#include "app/text_format.h"

namespace tintora {

namespace {

constexpr char kDecimalFormat[] = "%u";
constexpr char kHexFormat[] = "%.2X";

void AppendNumber(std::string& out, const char* format, std::uint32_t value) {
    char textBuffer[16];
    FormatText(textBuffer, sizeof textBuffer, format, value);
    out += textBuffer;
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
        default: out += *p; break;
        }
    }
    return out;
}

}  // namespace tintora
