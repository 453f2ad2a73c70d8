#include "app/ini_path.h"

#include <cstring>

namespace tintora {

bool MakeIniPath(const char* exePath, char* out, std::size_t outSize) {
    if (outSize == 0) return false;
    out[0] = '\0';
    const char* slash = std::strrchr(exePath, '\\');
    const std::size_t dirLength = slash ? static_cast<std::size_t>(slash - exePath) + 1 : 0;
    const std::size_t total = dirLength + sizeof(kIniFileName);  // includes the NUL
    if (total > outSize) return false;
    std::memcpy(out, exePath, dirLength);
    std::memcpy(out + dirLength, kIniFileName, sizeof(kIniFileName));
    return true;
}

}  // namespace tintora
