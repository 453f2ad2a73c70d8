// What the fuzz targets share: numbers taken from the front of the input, buffers of exactly the
// size asked for (so that the address sanitizer sees a single byte too far), and properties that
// end the run with the input that broke them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

namespace tintora::fuzz {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size)
        : rest_(reinterpret_cast<const char*>(data), size) {}

    // The next sizeof(T) bytes as a T; zero bytes once the input runs out.
    template <typename T>
    T Take() {
        T value{};
        const std::size_t n = rest_.size() < sizeof value ? rest_.size() : sizeof value;
        if (n > 0) std::memcpy(&value, rest_.data(), n);
        rest_.remove_prefix(n);
        return value;
    }

    std::string_view Rest() const { return rest_; }

private:
    std::string_view rest_;
};

// The text up to its first NUL, NUL-terminated in a block of exactly its size.
inline std::vector<char> CText(std::string_view bytes) {
    const std::string_view text = bytes.substr(0, bytes.find('\0'));
    std::vector<char> block(text.size() + 1, '\0');
    if (!text.empty()) std::memcpy(block.data(), text.data(), text.size());
    return block;
}

inline void Require(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

}  // namespace tintora::fuzz
