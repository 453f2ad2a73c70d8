#include "app/text_format.h"

#include <cstdarg>
#include <cstdio>

namespace tintora {

int FormatText(char* buffer, std::size_t size, const char* format, ...) {
    if (size == 0) return 0;
    va_list arguments;
    va_start(arguments, format);
#if defined(_WIN32)
    // The system's formatter leaves the text unterminated when it fills the buffer.
    int length = _vsnprintf(buffer, size - 1, format, arguments);
    if (length < 0 || static_cast<std::size_t>(length) >= size) length = static_cast<int>(size - 1);
#else
    int length = std::vsnprintf(buffer, size, format, arguments);
    if (length < 0) length = 0;
    if (static_cast<std::size_t>(length) >= size) length = static_cast<int>(size - 1);
#endif
    va_end(arguments);
    buffer[length] = '\0';
    return length;
}

}  // namespace tintora
