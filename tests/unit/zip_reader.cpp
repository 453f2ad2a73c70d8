#include "zip_reader.h"

#include <zlib.h>

namespace tintora::zip {

namespace {

constexpr std::uint32_t kEndSignature = 0x06054B50;
constexpr std::uint32_t kCentralSignature = 0x02014B50;
constexpr std::uint32_t kLocalSignature = 0x04034B50;
constexpr std::size_t kEndSize = 22;
constexpr std::size_t kMaxCommentSize = 0xFFFF;
constexpr std::size_t kCentralSize = 46;
constexpr std::size_t kLocalSize = 30;
constexpr std::uint16_t kStored = 0;
constexpr std::uint16_t kDeflated = 8;
constexpr int kRawDeflateWindow = -MAX_WBITS;
constexpr std::size_t kMaxFileSize = std::size_t{1} << 26;  // a damaged size asks for no more

using Bytes = std::span<const std::uint8_t>;

std::uint32_t At(Bytes data, std::size_t offset, std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = width; i-- > 0;) value = (value << 8) | data[offset + i];
    return value;
}

bool Fits(Bytes data, std::size_t offset, std::size_t length) {
    return offset <= data.size() && length <= data.size() - offset;
}

std::optional<std::vector<std::uint8_t>> Inflate(Bytes packed, std::size_t size) {
    if (size > kMaxFileSize) return std::nullopt;
    std::vector<std::uint8_t> out(size);
    z_stream stream{};
    if (inflateInit2(&stream, kRawDeflateWindow) != Z_OK) return std::nullopt;
    stream.next_in = const_cast<Bytef*>(packed.data());
    stream.avail_in = static_cast<uInt>(packed.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = inflate(&stream, Z_FINISH);
    const bool whole = result == Z_STREAM_END && stream.total_out == size;
    inflateEnd(&stream);
    if (!whole) return std::nullopt;
    return out;
}

}  // namespace

std::optional<std::vector<File>> ReadAll(Bytes archive) {
    // The end record is the last thing in the file, followed only by its comment.
    std::size_t end = archive.size() >= kEndSize ? archive.size() - kEndSize + 1 : 0;
    const std::size_t lowest = archive.size() > kEndSize + kMaxCommentSize ? archive.size() - kEndSize - kMaxCommentSize : 0;
    do {
        if (end-- == lowest) return std::nullopt;
    } while (At(archive, end, 4) != kEndSignature);

    const std::size_t count = At(archive, end + 10, 2);
    std::size_t entry = At(archive, end + 16, 4);
    std::vector<File> files;
    for (std::size_t i = 0; i < count; ++i) {
        if (!Fits(archive, entry, kCentralSize) || At(archive, entry, 4) != kCentralSignature) return std::nullopt;
        const auto method = static_cast<std::uint16_t>(At(archive, entry + 10, 2));
        const std::uint32_t crc = At(archive, entry + 16, 4);
        const std::size_t packedSize = At(archive, entry + 20, 4);
        const std::size_t size = At(archive, entry + 24, 4);
        const std::size_t nameLength = At(archive, entry + 28, 2);
        const std::size_t extraLength = At(archive, entry + 30, 2);
        const std::size_t commentLength = At(archive, entry + 32, 2);
        const std::size_t local = At(archive, entry + 42, 4);
        if (!Fits(archive, entry + kCentralSize, nameLength)) return std::nullopt;
        const Bytes name = archive.subspan(entry + kCentralSize, nameLength);
        entry += kCentralSize + nameLength + extraLength + commentLength;

        if (!Fits(archive, local, kLocalSize) || At(archive, local, 4) != kLocalSignature) return std::nullopt;
        const std::size_t data = local + kLocalSize + At(archive, local + 26, 2) + At(archive, local + 28, 2);
        if (!Fits(archive, data, packedSize)) return std::nullopt;
        const Bytes packed = archive.subspan(data, packedSize);
        std::optional<std::vector<std::uint8_t>> bytes;
        if (method == kStored && packedSize == size) bytes.emplace(packed.begin(), packed.end());
        if (method == kDeflated) bytes = Inflate(packed, size);
        if (!bytes || crc32(0, bytes->data(), static_cast<uInt>(bytes->size())) != crc) return std::nullopt;
        files.push_back({std::string(name.begin(), name.end()), std::move(*bytes)});
    }
    return files;
}

}  // namespace tintora::zip
