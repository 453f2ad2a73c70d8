// The settings store: the three profile operations on one INI file, section "options".
// Operations are serialised across threads, and a write replaces the file whole, so the file on
// disk is always either the old or the new text. An empty path reads as no file and writes
// nothing.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tintora::settings {

// The default when the file, section or key is missing; otherwise the value's leading integer.
std::uint32_t ReadInt(const char* path, const char* key, std::uint32_t defaultValue);
// The value without surrounding blanks or one pair of quotes, cut to size - 1 characters.
void ReadText(const char* path, const char* key, const char* defaultText, char* buffer,
              std::size_t size);
// Replaces or appends key=text; creates section and file. False when the file does not hold the
// new value afterwards (it then holds its old text): no path, an unreadable or read-only file, an
// unwritable folder, a replace blocked for too long, or a line break in the text.
bool WriteText(const char* path, const char* key, const char* text);

}  // namespace tintora::settings
