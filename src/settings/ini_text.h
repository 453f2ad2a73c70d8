// The settings file's text: finds a key's value and rewrites one key=value line, keeping every
// other byte of the file as it was. Pure: the store reads the bytes and writes what comes back.
//
// The text is read as the system's profile functions read it. A line ends at a CR, an LF or
// the two together; blanks are spaces, tabs, VT, FF and Ctrl-Z. A line whose first non-blank is
// '[' and that holds a ']' starts a section named up to its last ']'; ';' starts a comment; any
// other line is a key line, named up to its '=', and one without '=' is a key without a value
// (read as missing). Names match without regard to ASCII letter case, and only the first
// section of a name counts, as does the first line of a key inside it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tintora::ini {

// The value without the blanks around it and without one pair of enclosing quotes.
// False when the section or the key is missing, or the key has no '='.
bool FindValue(std::string_view text, std::string_view section, std::string_view key,
               std::string_view* value);

// The value, or defaultText when the key is missing, cut to size - 1 bytes and terminated.
void ReadText(std::string_view text, std::string_view section, std::string_view key,
              const char* defaultText, char* buffer, std::size_t size);

// The default when the key is missing or its value empty, otherwise ParseInt of the value's first
// 29 characters.
std::uint32_t ReadInt(std::string_view text, std::string_view section, std::string_view key,
                      std::uint32_t defaultValue);

// After any control characters and blanks, an optional sign, then digits: decimal, or after a
// "0x", "0o" or "0b" (lower-case) in that base, in 32-bit arithmetic that wraps, up to the
// first character that is no digit of the base; a negative number gives its two's complement;
// no digits give 0.
std::uint32_t ParseInt(std::string_view value);

// The most bytes Write can produce from a text of textSize bytes.
std::size_t WrittenSizeLimit(std::size_t textSize, std::string_view section, std::string_view key,
                             std::string_view value);

// Writes text with key set to value into out (WrittenSizeLimit bytes): the value replaced where
// the key stands, or a new line after the section's last key, or a new section at the end. A
// value with outer blanks or enclosing quotes is written inside double quotes, so that it reads
// back as given; a key that already reads as value leaves the text as it is. Returns the new
// size, or 0 when the names or the value cannot stand in a line as given (a line break
// anywhere, an empty name, outer blanks in either, '=' in the key or '[' or ';' at its start,
// ']' in the section).
std::size_t Write(std::string_view text, std::string_view section, std::string_view key,
                  std::string_view value, char* out);

}  // namespace tintora::ini
