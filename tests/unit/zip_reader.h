// Reads the files of a zip archive the way an unpacking tool does: through the central
// directory, each file stored or deflated and its checksum checked. Every read is bounds-checked.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tintora::zip {

struct File {
    std::string name;
    std::vector<std::uint8_t> data;
};

// Every file in central-directory order; nullopt when the archive is damaged or a checksum fails.
std::optional<std::vector<File>> ReadAll(std::span<const std::uint8_t> archive);

}  // namespace tintora::zip
