// The settings store: section "options" of one INI file, read whole and written whole. Every
// read-modify-replace is serialised across threads and across copies of the program (a named
// lock derived from the path), and a write replaces the file whole, so the file on disk is always
// either the old or the new text and no copy of the program loses another's key. The file keeps
// the encoding and line ends it was found in. Paths are wide, so any folder name works. An empty
// path reads as no file and writes nothing.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/file_replace.h"
#include "settings/pending_keys.h"
#include "settings/settings_rules.h"
#include "settings/text_encoding.h"

namespace tintora::settings {

// The settings file, and the file that stands in for it (empty or null: none): reads fall back to
// the seed while the file cannot be read, and a write starts from the seed's text while the file
// does not exist, or always while seedFirst (the values in effect came from the seed), making
// the file's folder.
struct Location {
    Location(const wchar_t* path, const wchar_t* seed = nullptr, bool seedFirst = false)
        : path(path), seed(seed), seedFirst(seedFirst) {}
    const wchar_t* path;
    const wchar_t* seed;
    bool seedFirst;
};

// How long a caller on the UI thread waits for a held file or for another copy.
constexpr DWORD kPromptPatienceMs = 100;

// The settings text as read once, decoded for the INI model.
struct Snapshot {
    HeapText text;
    ini::TextForm form;
    // The file's own text, the seed's in place of a missing file, or no file at all: not the
    // seed nor defaults in place of a file (or a seed) that could not be read.
    bool known = false;
};
void ReadSnapshot(const Location& file, Deadline deadline, Snapshot* snapshot);
// The default when the key is missing; otherwise the value's leading integer.
std::uint32_t SnapshotInt(const Snapshot& snapshot, const char* key, std::uint32_t defaultValue);
// The value in ANSI without surrounding blanks or one pair of quotes, cut to size - 1 characters.
void SnapshotText(const Snapshot& snapshot, const char* key, const char* defaultText, char* buffer,
                  std::size_t size);

// Several keys (ANSI texts, up to kMaxKeys) in one replace, in the order given: all of them or
// none. Held also while the file (or the seed it starts from) cannot be read, as a write would
// replace it with a text that lacks its keys; Unwritable for a text that cannot stand in a line;
// Refused without a path.
Replaced WriteTexts(const Location& file, const char* const* keys, const char* const* texts, std::size_t count,
                    Deadline deadline);

// One look at the file for one key, waiting up to a second for
// a held file, other threads and other copies.
constexpr DWORD kPatienceMs = 1000;
std::uint32_t ReadInt(const Location& file, const char* key, std::uint32_t defaultValue);
void ReadText(const Location& file, const char* key, const char* defaultText, char* buffer, std::size_t size);
// True when the file holds the new value afterwards.
bool WriteText(const Location& file, const char* key, const char* text);

}  // namespace tintora::settings
