// Where the settings file lives: beside the executable, or in a folder of the user's own when the
// executable's folder cannot be written.
#pragma once

#include <cstddef>

namespace tintora {

constexpr char kIniFileName[] = "tintora.ini";
// Under the user's application-data folder.
constexpr char kUserIniTail[] = "\\Tintora\\tintora.ini";

// Writes the folder of exePath (up to and including its last backslash) followed by the settings
// file name into out, NUL-terminated. Returns false and leaves out empty when the whole path does
// not fit in outSize characters: a cut path would name some other file, which must never be
// written. For narrow and wide paths alike.
template <class Char>
bool MakeIniPath(const Char* exePath, Char* out, std::size_t outSize);

// The user's settings file below appData, the same way: false and out empty when it does not fit.
template <class Char>
bool MakeUserIniPath(const Char* appData, Char* out, std::size_t outSize);

}  // namespace tintora
