// Where the settings file lives: beside the executable.
#pragma once

#include <cstddef>

namespace tintora {

constexpr char kIniFileName[] = "tintora.ini";

// Writes the folder of exePath (up to and including its last backslash) followed by the settings
// file name into out, NUL-terminated. Returns false and leaves out empty when the whole path does
// not fit in outSize bytes: a cut path would name some other file, which must never be written.
bool MakeIniPath(const char* exePath, char* out, std::size_t outSize);

}  // namespace tintora
