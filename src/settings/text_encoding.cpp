#include "settings/text_encoding.h"

namespace tintora::ini {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kHighSurrogate = 0xD800, kLowSurrogate = 0xDC00, kSurrogateEnd = 0xE000;
constexpr char32_t kSupplementary = 0x10000;
constexpr int kSurrogateBits = 10;
constexpr char32_t kSurrogateMask = 0x3FF;

std::string_view MarkOf(Encoding encoding) {
    switch (encoding) {
    case Encoding::Utf8: return kUtf8Mark;
    case Encoding::Utf16Le: return kUtf16LeMark;
    case Encoding::Utf16Be: return kUtf16BeMark;
    default: return {};
    }
}

LineEnd FirstLineEnd(std::string_view text) {
    const std::size_t at = text.find_first_of("\r\n");
    if (at == std::string_view::npos || text[at] == '\n') return at == std::string_view::npos ? LineEnd::CrLf : LineEnd::Lf;
    return at + 1 < text.size() && text[at + 1] == '\n' ? LineEnd::CrLf : LineEnd::Cr;
}

std::size_t PutUtf8(char32_t c, char* out) {
    auto byte = [](char32_t v) { return static_cast<char>(static_cast<unsigned char>(v)); };
    if (c < 0x80) { out[0] = byte(c); return 1; }
    if (c < 0x800) { out[0] = byte(0xC0 | c >> 6); out[1] = byte(0x80 | (c & 0x3F)); return 2; }
    if (c < kSupplementary) {
        out[0] = byte(0xE0 | c >> 12); out[1] = byte(0x80 | (c >> 6 & 0x3F)); out[2] = byte(0x80 | (c & 0x3F));
        return 3;
    }
    out[0] = byte(0xF0 | c >> 18); out[1] = byte(0x80 | (c >> 12 & 0x3F));
    out[2] = byte(0x80 | (c >> 6 & 0x3F)); out[3] = byte(0x80 | (c & 0x3F));
    return 4;
}

// One UTF-8 sequence at text[*at], advancing past it; a malformed one gives kReplacement for its
// first byte.
char32_t TakeUtf8(std::string_view text, std::size_t* at) {
    const auto lead = static_cast<unsigned char>(text[(*at)++]);
    if (lead < 0x80) return lead;
    const int extra = lead >= 0xF0 && lead < 0xF5 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 && lead < 0xE0 ? 1 : -1;
    if (extra < 0 || *at + extra > text.size()) return kReplacement;
    char32_t c = lead & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        const auto next = static_cast<unsigned char>(text[*at + i]);
        if ((next & 0xC0) != 0x80) return kReplacement;
        c = c << 6 | (next & 0x3F);
    }
    *at += extra;
    return c;
}

std::size_t PutUtf16(char32_t c, bool bigEndian, char* out) {
    auto unit = [&](char32_t u, char* at) {
        at[bigEndian ? 0 : 1] = static_cast<char>(u >> 8);
        at[bigEndian ? 1 : 0] = static_cast<char>(u & 0xFF);
    };
    if (c < kSupplementary) {
        unit(c, out);
        return 2;
    }
    c -= kSupplementary;
    unit(kHighSurrogate | c >> kSurrogateBits, out);
    unit(kLowSurrogate | (c & kSurrogateMask), out + 2);
    return 4;
}

std::size_t DecodeUtf16(std::string_view bytes, bool bigEndian, char* out) {
    auto unit = [&](std::size_t i) -> char32_t {
        const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    std::size_t size = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= kHighSurrogate && c < kSurrogateEnd) {
            const char32_t low = i + 3 < bytes.size() ? unit(i + 2) : 0;
            if (c < kLowSurrogate && low >= kLowSurrogate && low < kSurrogateEnd) {
                c = kSupplementary + ((c & kSurrogateMask) << kSurrogateBits | (low & kSurrogateMask));
                i += 2;
            } else {
                c = kReplacement;
            }
        }
        size += PutUtf8(c, out + size);
    }
    return size;
}

}  // namespace

std::size_t DecodedSizeLimit(std::size_t size) { return size / 2 * 3 + size % 2 + 1; }

std::size_t EncodedSizeLimit(std::size_t size) { return size * 2 + kUtf8Mark.size(); }

std::size_t Decode(std::string_view bytes, TextForm* form, char* out) {
    form->encoding = Encoding::Ansi;
    for (const Encoding e : {Encoding::Utf8, Encoding::Utf16Le, Encoding::Utf16Be}) {
        if (bytes.substr(0, MarkOf(e).size()) == MarkOf(e)) form->encoding = e;
    }
    bytes.remove_prefix(MarkOf(form->encoding).size());
    std::size_t size = bytes.size();
    if (form->encoding == Encoding::Utf16Le || form->encoding == Encoding::Utf16Be) {
        size = DecodeUtf16(bytes, form->encoding == Encoding::Utf16Be, out);
    } else {
        bytes.copy(out, size);
    }
    form->lineEnd = FirstLineEnd({out, size});
    for (std::size_t i = 0; form->lineEnd == LineEnd::Cr && i < size; ++i) {
        if (out[i] == '\r' && (i + 1 == size || out[i + 1] != '\n')) out[i] = '\n';
    }
    return size;
}

std::size_t Encode(std::string_view text, const TextForm& form, char* out) {
    const std::string_view mark = MarkOf(form.encoding);
    mark.copy(out, mark.size());
    std::size_t size = mark.size();
    const bool utf16 = form.encoding == Encoding::Utf16Le || form.encoding == Encoding::Utf16Be;
    const char lineEnd = form.lineEnd == LineEnd::Cr ? '\r' : '\n';
    for (std::size_t at = 0; at < text.size();) {
        char32_t c;
        if (form.lineEnd != LineEnd::CrLf && (text[at] == '\n' || text.substr(at, 2) == "\r\n")) {
            at += text[at] == '\r' ? 2 : 1;
            c = static_cast<char32_t>(lineEnd);
        } else if (utf16) {
            c = TakeUtf8(text, &at);
        } else {
            out[size++] = text[at++];
            continue;
        }
        size += utf16 ? PutUtf16(c, form.encoding == Encoding::Utf16Be, out + size) : PutUtf8(c, out + size);
    }
    return size;
}

}  // namespace tintora::ini
