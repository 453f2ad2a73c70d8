#include "app/ini_path.h"

namespace tintora {

namespace {

template <class Char>
std::size_t Length(const Char* text) {
    std::size_t n = 0;
    while (text[n]) ++n;
    return n;
}

// out = the first headLength characters of head, then tail (ASCII); false and out empty when the
// whole does not fit.
template <class Char, std::size_t N>
bool Join(const Char* head, std::size_t headLength, const char (&tail)[N], Char* out, std::size_t outSize) {
    if (outSize == 0) return false;
    out[0] = 0;
    if (headLength + N > outSize) return false;  // N counts the NUL
    for (std::size_t i = 0; i < headLength; ++i) out[i] = head[i];
    for (std::size_t i = 0; i < N; ++i) out[headLength + i] = static_cast<Char>(tail[i]);
    return true;
}

}  // namespace

template <class Char>
bool MakeIniPath(const Char* exePath, Char* out, std::size_t outSize) {
    std::size_t dirLength = 0;
    for (std::size_t i = 0; exePath[i]; ++i) {
        if (exePath[i] == static_cast<Char>('\\')) dirLength = i + 1;
    }
    return Join(exePath, dirLength, kIniFileName, out, outSize);
}

template <class Char>
bool MakeUserIniPath(const Char* appData, Char* out, std::size_t outSize) {
    return Join(appData, Length(appData), kUserIniTail, out, outSize);
}

template bool MakeIniPath(const char*, char*, std::size_t);
template bool MakeIniPath(const wchar_t*, wchar_t*, std::size_t);
template bool MakeUserIniPath(const char*, char*, std::size_t);
template bool MakeUserIniPath(const wchar_t*, wchar_t*, std::size_t);

}  // namespace tintora
