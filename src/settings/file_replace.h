// One file's bytes, read whole and replaced whole. A replace writes the new text beside the file
// first and then swaps it in, so the file on disk is always either the old or the new text.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string_view>

#include "settings/settings_lock.h"

namespace tintora::settings {

class HeapText {
public:
    HeapText() = default;
    ~HeapText();
    HeapText(const HeapText&) = delete;
    HeapText& operator=(const HeapText&) = delete;

    // Room for a new text, the old one gone; null when the memory is not there.
    char* Allocate(std::size_t capacity);
    void SetSize(std::size_t size) { size_ = size; }
    char* data() const { return data_; }
    std::string_view view() const { return data_ ? std::string_view(data_, size_) : std::string_view(); }

private:
    char* data_ = nullptr;
    std::size_t size_ = 0;
};

// Missing: no such file (or folder). Failed: a file is there that could not be read whole, held
// by another program past the deadline or too large to be settings.
enum class Load { Read, Missing, Failed };
Load LoadFile(const wchar_t* path, Deadline deadline, HeapText* text);

// Held: not now, for a passing reason (another program has the file open). Refused: this place
// does not take the file and will not (no right to replace it, a read-only medium, no path at
// all). ReadOnly: the file has the read-only attribute, which people set to keep their settings
// as they are. Unwritable: a value or name that the file cannot hold as given (a line break);
// the file is not touched, and says nothing about the place.
enum class Replaced { Done, Held, Refused, ReadOnly, Unwritable };

// Room for a final path and its temporary name.
constexpr DWORD kTargetSize = 1024;
// The file that path names in the end, into target (kTargetSize characters): a symbolic link's
// target, the long names of short ones, the one drive of two spellings; for a file not yet
// there, its folder's final path and its name; path itself where neither can be opened.
void FinalPath(const wchar_t* path, wchar_t* target);

// Replaces the file at path with bytes, or creates it, and its folder when makeFolder, trying a
// held file until the deadline. Keeps the file's attributes and permissions; where path is a link,
// the file it links to takes the new text and the link stays.
Replaced ReplaceWhole(const wchar_t* path, std::string_view bytes, Deadline deadline, bool makeFolder);

}  // namespace tintora::settings
