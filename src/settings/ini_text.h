// The settings file's text: finds a key's value and rewrites one key=value line, keeping every
// other byte of the file as it was. Pure: the store reads the bytes and writes what comes back.
//
// Lines end with LF (a CR before it is part of the line end). A line whose first non-blank is
// '[' starts a section; ';' starts a comment; a line with '=' is a key line; anything else,
// junk included, is kept but never matches. Names match without regard to ASCII letter case,
// and only the first section of a name counts, as does the first line of a key inside it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tintora::ini {

// The value without the blanks around it and without one pair of enclosing quotes.
// False when the section or the key is missing.
bool FindValue(std::string_view text, std::string_view section, std::string_view key,
               std::string_view* value);

// The value, or defaultText when the key is missing, cut to size - 1 bytes and terminated.
void ReadText(std::string_view text, std::string_view section, std::string_view key,
              const char* defaultText, char* buffer, std::size_t size);

// The default when the key is missing, otherwise ParseInt of its value.
std::uint32_t ReadInt(std::string_view text, std::string_view section, std::string_view key,
                      std::uint32_t defaultValue);

// An optional sign and the decimal digits that follow, in 32-bit arithmetic that wraps; a
// negative number gives its two's complement; no digits give 0.
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
