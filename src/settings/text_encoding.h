// The settings file's bytes as the INI model reads them, and back. A file keeps the encoding and
// the line ends it was found in: Notepad's "Unicode" (UTF-16 with a byte-order mark, either byte
// order), UTF-8 with a mark, or ANSI; lines ended by CRLF, LF or CR. Pure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tintora::ini {

enum class Encoding : std::uint8_t { Ansi, Utf8, Utf16Le, Utf16Be };
enum class LineEnd : std::uint8_t { CrLf, Lf, Cr };

// What the program creates: ANSI with CRLF.
struct TextForm {
    Encoding encoding = Encoding::Ansi;
    LineEnd lineEnd = LineEnd::CrLf;
};

// Values in a Unicode file are UTF-8 inside the model; the program's own texts are ANSI.
inline bool IsUnicode(const TextForm& form) { return form.encoding != Encoding::Ansi; }

// Room for Decode's result from size bytes, and for Encode's from a text of size bytes.
std::size_t DecodedSizeLimit(std::size_t size);
std::size_t EncodedSizeLimit(std::size_t size);

// The form the bytes were found in (the mark names the encoding, the first line break the line
// end; neither gives what the program creates) and, in out, the text without the mark, UTF-16 as
// UTF-8, and lone CRs as LF. Returns the text's size. An unpaired surrogate becomes U+FFFD.
std::size_t Decode(std::string_view bytes, TextForm* form, char* out);

// The text in form: its mark, its encoding, and every line break as the form's. A CRLF text is
// taken as it is. A byte that is not UTF-8 becomes U+FFFD in UTF-16. Returns the size.
std::size_t Encode(std::string_view text, const TextForm& form, char* out);

}  // namespace tintora::ini
