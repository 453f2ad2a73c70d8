// The settings store: the profile operations on one INI file, section "options".
// Operations are serialised across threads, and every read-modify-replace also across processes
// (a named lock derived from the path), and a write replaces the file whole, so the file on disk
// is always either the old or the new text and no copy of the program loses another's key.
// Paths are wide, so any folder name works. An empty path reads as no file and writes nothing.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/settings_rules.h"

namespace tintora::settings {

// The settings file, and the file that stands in for it until it exists: reads fall back to the
// seed, and the first write starts from the seed's text and makes the file's folder.
struct Location {
    Location(const wchar_t* path, const wchar_t* seed = nullptr) : path(path), seed(seed) {}
    const wchar_t* path;
    const wchar_t* seed;
};

// The default when the file, section or key is missing; otherwise the value's leading integer.
std::uint32_t ReadInt(const Location& file, const char* key, std::uint32_t defaultValue);
// The value without surrounding blanks or one pair of quotes, cut to size - 1 characters.
void ReadText(const Location& file, const char* key, const char* defaultText, char* buffer,
              std::size_t size);
// The integers of several keys from one look at the file, rules not applied. False when a file
// is there that could not be read: the values are then the defaults.
bool ReadInts(const Location& file, const IntSetting* settings, std::size_t count,
              std::uint32_t* values);
// Replaces or appends key=text; creates section and file. False when the file does not hold the
// new value afterwards (it then holds its old text): no path, an unreadable or read-only file, an
// unwritable folder, a replace blocked for too long, or a line break in the text.
bool WriteText(const Location& file, const char* key, const char* text);
// Several keys in one replace, in the order given: all of them or none.
bool WriteTexts(const Location& file, const char* const* keys, const char* const* texts,
                std::size_t count);

}  // namespace tintora::settings
