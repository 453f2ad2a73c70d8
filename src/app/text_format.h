// printf-style formatting into a fixed buffer, always NUL-terminated, with the system's own
// formatter on Windows (the program's formats need nothing more, and it adds no code).
#pragma once

#include <cstddef>

namespace tintora {

// Returns the length of the text written; text that does not fit is cut.
int FormatText(char* buffer, std::size_t size, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;

}  // namespace tintora
