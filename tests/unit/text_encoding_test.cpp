#include "settings/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

#include "settings/ini_text.h"

namespace tintora::ini {
namespace {

std::string Decoded(std::string_view bytes, TextForm* form) {
    std::string out(DecodedSizeLimit(bytes.size()), '\0');
    out.resize(Decode(bytes, form, out.data()));
    return out;
}

std::string Encoded(std::string_view text, const TextForm& form) {
    std::string out(EncodedSizeLimit(text.size()), '\0');
    out.resize(Encode(text, form, out.data()));
    return out;
}

// UTF-16 bytes of an ASCII or BMP text given as char16_t.
std::string Utf16(std::u16string_view text, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t c : text) {
        const char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
        out += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return out;
}

TEST(TextEncoding, ReadsEachFormAndWritesAKeyBackInIt) {
    const struct {
        std::string file;
        Encoding encoding;
        LineEnd lineEnd;
        std::string format;  // the value of "format", as the model gives it (UTF-8 when Unicode)
        std::string after;   // the file after memo1=7 was written into it
    } cases[] = {
        {"[options]\r\nformat=RGB\r\n", Encoding::Ansi, LineEnd::CrLf, "RGB", "[options]\r\nformat=RGB\r\nmemo1=7\r\n"},
        {"[options]\nformat=\xE9\n", Encoding::Ansi, LineEnd::Lf, "\xE9", "[options]\nformat=\xE9\nmemo1=7\n"},
        {"[options]\rformat=x\r", Encoding::Ansi, LineEnd::Cr, "x", "[options]\rformat=x\rmemo1=7\r"},
        {"", Encoding::Ansi, LineEnd::CrLf, "<absent>", "[options]\r\nmemo1=7\r\n"},
        {"\xEF\xBB\xBF[options]\r\nformat=\xC3\xA9\r\n", Encoding::Utf8, LineEnd::CrLf, "\xC3\xA9",
         "\xEF\xBB\xBF[options]\r\nformat=\xC3\xA9\r\nmemo1=7\r\n"},
        {Utf16(u"[options]\r\nformat=\u00e9\u4e2d\r\n", false), Encoding::Utf16Le, LineEnd::CrLf, "\xC3\xA9\xE4\xB8\xAD",
         Utf16(u"[options]\r\nformat=\u00e9\u4e2d\r\nmemo1=7\r\n", false)},
        {Utf16(u"[options]\nformat=\xd83d\xde00\n", true), Encoding::Utf16Be, LineEnd::Lf, "\xF0\x9F\x98\x80",
         Utf16(u"[options]\nformat=\xd83d\xde00\nmemo1=7\n", true)},
        {Utf16(u"[options]\rformat=\xdc00\r", false), Encoding::Utf16Le, LineEnd::Cr, "\xEF\xBF\xBD",
         Utf16(u"[options]\rformat=\xfffd\rmemo1=7\r", false)},
        {Utf16(u"", false) + "x", Encoding::Utf16Le, LineEnd::CrLf, "<absent>", Utf16(u"[options]\r\nmemo1=7\r\n", false)},
    };
    for (const auto& c : cases) {
        TextForm form;
        const std::string text = Decoded(c.file, &form);
        EXPECT_EQ(form.encoding, c.encoding) << c.file;
        EXPECT_EQ(form.lineEnd, c.lineEnd) << c.file;
        char value[64];
        ReadText(text, "options", "format", "<absent>", value, sizeof value);
        EXPECT_EQ(value, c.format) << c.file;
        std::string written(WrittenSizeLimit(text.size(), "options", "memo1", "7"), '\0');
        written.resize(Write(text, "options", "memo1", "7", written.data()));
        EXPECT_EQ(Encoded(written, form), c.after) << c.file;
    }
}

TEST(TextEncoding, MalformedUtf8BecomesOneReplacementPerByteInUtf16) {
    const TextForm form{Encoding::Utf16Le, LineEnd::CrLf};
    EXPECT_EQ(Encoded("a\xC3\xFF\xE4\xB8", form), Utf16(u"a\xfffd\xfffd\xfffd\xfffd", false));
}

}  // namespace
}  // namespace tintora::ini
