#include "pe_reader.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace tintora::pe {

namespace {

constexpr std::uint16_t kDosMagic = 0x5A4D;  // "MZ"
constexpr std::size_t kDosNewHeaderField = 0x3C;
constexpr std::uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
constexpr std::size_t kFileHeaderSize = 20;
constexpr std::uint16_t kMagicPe32 = 0x10B;
constexpr std::uint16_t kMagicPe32Plus = 0x20B;
constexpr std::size_t kSubsystemField = 68;
constexpr std::size_t kDirectoryCountField32 = 92;
constexpr std::size_t kDirectoryCountField64 = 108;
constexpr std::uint32_t kMaxDirectories = 16;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::size_t kImportDirectory = 1;
constexpr std::size_t kResourceDirectory = 2;
constexpr std::size_t kImportDescriptorSize = 20;
constexpr std::size_t kImportNameField = 12;
constexpr std::size_t kImportLookupField = 0;  // the lookup table, or 0 when only the address table has names
constexpr std::size_t kImportAddressField = 16;
constexpr std::size_t kImportHintSize = 2;
constexpr std::size_t kMaxImports = 4096;
constexpr std::size_t kMaxNameLength = 1024;
constexpr std::uint32_t kResourceSubdirectory = 0x80000000;
constexpr std::size_t kResourceDirectoryHeaderSize = 16;
constexpr std::size_t kResourceEntrySize = 8;

constexpr std::uint32_t kDsSetFont = 0x40;
constexpr std::uint32_t kExtendedDialogMarker = 0xFFFF0001;  // dlgVer 1, signature 0xFFFF
constexpr std::uint16_t kOrdinalMarker = 0xFFFF;
constexpr std::size_t kDialogHeaderSize = 18;
constexpr std::size_t kDialogItemHeaderSize = 18;

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::int32_t kMaxBitmapSide = 1024;
constexpr std::uint32_t kNotAColour = 0x1000000;  // palette index past the palette
constexpr std::uint8_t kPngFirstByte = 0x89;
constexpr std::uint16_t kIconGroupType = 1;
constexpr std::size_t kIconGroupHeaderSize = 6;
constexpr std::size_t kIconGroupEntrySize = 14;
constexpr std::uint16_t kAlphaBits = 32;

constexpr std::size_t kVersionNodeHeaderSize = 6;
constexpr std::uint16_t kVersionTextValue = 1;
constexpr int kVersionMaxDepth = 3;  // root, block, table, string
constexpr char kVersionRootKey[] = "VS_VERSION_INFO";
constexpr char kStringFileInfoKey[] = "StringFileInfo";
constexpr char kVarFileInfoKey[] = "VarFileInfo";
constexpr char kTranslationKey[] = "Translation";
constexpr std::uint32_t kFixedInfoSignature = 0xFEEF04BD;
constexpr std::size_t kFixedInfoSize = 52;

std::size_t Align4(std::size_t offset) { return (offset + 3) & ~std::size_t{3}; }

// Little-endian reads that never leave the data: a read past the end gives 0 and marks the
// reader bad, so a caller checks once after a run of reads.
class Reader {
public:
    explicit Reader(Bytes data) : data_(data) {}

    bool bad() const { return bad_; }
    bool fits(std::size_t offset, std::size_t length) const {
        return offset <= data_.size() && length <= data_.size() - offset;
    }
    Bytes slice(std::size_t offset, std::size_t length) {
        if (fits(offset, length)) return data_.subspan(offset, length);
        bad_ = true;
        return {};
    }
    std::uint32_t unsignedAt(std::size_t offset, std::size_t width) {
        const Bytes b = slice(offset, width);
        std::uint32_t v = 0;
        for (std::size_t i = b.size(); i-- > 0;) v = (v << 8) | b[i];
        return v;
    }
    std::uint8_t u8(std::size_t offset) { return static_cast<std::uint8_t>(unsignedAt(offset, 1)); }
    std::uint16_t u16(std::size_t offset) { return static_cast<std::uint16_t>(unsignedAt(offset, 2)); }
    std::uint32_t u32(std::size_t offset) { return unsignedAt(offset, 4); }
    std::int16_t s16(std::size_t offset) { return static_cast<std::int16_t>(u16(offset)); }
    std::int32_t s32(std::size_t offset) { return static_cast<std::int32_t>(u32(offset)); }

    // A NUL-terminated UTF-16 string; moves offset past the NUL. Non-ASCII becomes '?'.
    std::string wideString(std::size_t& offset) {
        std::string text;
        for (;;) {
            const std::uint16_t c = u16(offset);
            if (bad_) return {};
            offset += 2;
            if (c == 0) return text;
            text += c < 0x80 ? static_cast<char>(c) : '?';
        }
    }
    NameOrOrdinal nameOrOrdinal(std::size_t& offset) {
        if (u16(offset) == kOrdinalMarker) {
            const std::uint16_t ordinal = u16(offset + 2);
            offset += 4;
            return ordinal;
        }
        return wideString(offset);
    }

private:
    Bytes data_;
    bool bad_ = false;
};

}  // namespace

Image::Image(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {
    Reader r(bytes_);
    if (r.u16(0) != kDosMagic) {
        error_ = "no DOS header";
        return;
    }
    const std::size_t peHeader = r.u32(kDosNewHeaderField);
    if (r.u32(peHeader) != kPeSignature) {
        error_ = "no PE signature";
        return;
    }
    const std::size_t fileHeader = peHeader + 4;
    machine_ = r.u16(fileHeader);
    const std::uint16_t sectionCount = r.u16(fileHeader + 2);
    const std::uint16_t optionalSize = r.u16(fileHeader + 16);
    const std::size_t optional = fileHeader + kFileHeaderSize;
    const std::uint16_t magic = r.u16(optional);
    if (magic != kMagicPe32 && magic != kMagicPe32Plus) {
        error_ = "unknown optional header";
        return;
    }
    pe32Plus_ = magic == kMagicPe32Plus;
    subsystem_ = r.u16(optional + kSubsystemField);
    const std::size_t countField = optional + (pe32Plus_ ? kDirectoryCountField64 : kDirectoryCountField32);
    const std::uint32_t directoryCount = std::min(r.u32(countField), kMaxDirectories);
    if (countField + 4 + directoryCount * 8 > optional + optionalSize) {
        error_ = "data directories overrun the optional header";
        return;
    }
    for (std::uint32_t i = 0; i < directoryCount; ++i) {
        directories_.emplace_back(r.u32(countField + 4 + i * 8), r.u32(countField + 8 + i * 8));
    }
    for (std::size_t i = 0; i < sectionCount; ++i) {
        const std::size_t s = optional + optionalSize + i * kSectionHeaderSize;
        sections_.push_back({r.u32(s + 12), r.u32(s + 20), r.u32(s + 16)});
    }
    if (r.bad()) error_ = "headers cut short";
}

std::optional<Bytes> Image::atRva(std::uint32_t rva, std::uint32_t size) const {
    if (!error_.empty()) return std::nullopt;
    for (const Section& s : sections_) {
        if (rva < s.rva || rva - s.rva >= s.rawSize) continue;
        const std::uint32_t delta = rva - s.rva;
        if (size > s.rawSize - delta) return std::nullopt;
        Reader r(bytes_);
        const Bytes data = r.slice(std::size_t{s.rawOffset} + delta, size);
        if (r.bad()) return std::nullopt;
        return data;
    }
    return std::nullopt;
}

std::optional<std::string> Image::stringAtRva(std::uint32_t rva) const {
    for (std::uint32_t length = kMaxNameLength; length > 0; length /= 2) {
        // The longest of these runs that stays inside the section, then its first NUL.
        if (const auto text = atRva(rva, length)) {
            const auto end = std::find(text->begin(), text->end(), 0);
            if (end == text->end()) return std::nullopt;
            return std::string(text->begin(), end);
        }
    }
    return std::nullopt;
}

std::optional<std::vector<Image::ImportedDll>> Image::imports() const {
    if (!error_.empty() || directories_.size() <= kImportDirectory) return std::nullopt;
    const std::uint32_t table = directories_[kImportDirectory].first;
    std::vector<ImportedDll> dlls;
    if (table == 0) return dlls;
    const std::uint32_t thunkSize = pe32Plus_ ? 8 : 4;
    for (std::size_t i = 0; i < kMaxImports; ++i) {
        const auto descriptor = atRva(static_cast<std::uint32_t>(table + i * kImportDescriptorSize),
                                      kImportDescriptorSize);
        if (!descriptor) return std::nullopt;
        if (std::all_of(descriptor->begin(), descriptor->end(), [](std::uint8_t b) { return b == 0; })) {
            return dlls;
        }
        Reader d(*descriptor);
        const auto name = stringAtRva(d.u32(kImportNameField));
        if (!name) return std::nullopt;
        ImportedDll& dll = dlls.emplace_back(ImportedDll{*name, {}});
        const std::uint32_t thunks = d.u32(kImportLookupField) ? d.u32(kImportLookupField) : d.u32(kImportAddressField);
        for (std::size_t j = 0;; ++j) {
            if (j == kMaxImports) return std::nullopt;
            const auto thunk = atRva(static_cast<std::uint32_t>(thunks + j * thunkSize), thunkSize);
            if (!thunk) return std::nullopt;
            // The top bit marks an import by ordinal, which has no name to check.
            Reader r(*thunk);
            const std::uint64_t entry = r.u32(0) | (pe32Plus_ ? std::uint64_t{r.u32(4)} << 32 : 0);
            if (entry == 0) break;
            if (entry >> (thunkSize * 8 - 1)) continue;
            const auto function = stringAtRva(static_cast<std::uint32_t>(entry) + kImportHintSize);
            if (!function) return std::nullopt;
            dll.functions.push_back(*function);
        }
    }
    return std::nullopt;
}

std::optional<Bytes> Image::resource(std::uint16_t type, std::uint16_t id) const {
    if (!error_.empty() || directories_.size() <= kResourceDirectory) return std::nullopt;
    const auto [rootRva, rootSize] = directories_[kResourceDirectory];
    const auto tree = atRva(rootRva, rootSize);
    if (!tree) return std::nullopt;
    Reader r(*tree);
    // One level of the tree: the entry for `wanted`, or the first entry when there is no wanted id.
    auto entry = [&r](std::size_t directory, std::optional<std::uint16_t> wanted) -> std::optional<std::uint32_t> {
        const std::size_t count = std::size_t{r.u16(directory + 12)} + r.u16(directory + 14);
        for (std::size_t i = 0; i < count && !r.bad(); ++i) {
            const std::size_t e = directory + kResourceDirectoryHeaderSize + i * kResourceEntrySize;
            const std::uint32_t name = r.u32(e);
            const std::uint32_t value = r.u32(e + 4);
            if (r.bad()) break;
            if (!wanted || name == *wanted) return value;
        }
        return std::nullopt;
    };
    const auto names = entry(0, type);
    if (!names || !(*names & kResourceSubdirectory)) return std::nullopt;
    const auto languages = entry(*names & ~kResourceSubdirectory, id);
    if (!languages || !(*languages & kResourceSubdirectory)) return std::nullopt;
    const auto leaf = entry(*languages & ~kResourceSubdirectory, std::nullopt);
    if (!leaf || (*leaf & kResourceSubdirectory)) return std::nullopt;
    const std::uint32_t dataRva = r.u32(*leaf);
    const std::uint32_t dataSize = r.u32(*leaf + 4);
    if (r.bad()) return std::nullopt;
    return atRva(dataRva, dataSize);
}

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::optional<Dialog> DecodeDialog(Bytes data) {
    Reader r(data);
    Dialog d{};
    d.style = r.u32(0);
    if (d.style == kExtendedDialogMarker) return std::nullopt;
    d.exStyle = r.u32(4);
    const std::uint16_t count = r.u16(8);
    d.x = r.s16(10);
    d.y = r.s16(12);
    d.cx = r.s16(14);
    d.cy = r.s16(16);
    std::size_t at = kDialogHeaderSize;
    d.menu = r.nameOrOrdinal(at);
    d.windowClass = r.nameOrOrdinal(at);
    d.title = r.wideString(at);
    if (d.style & kDsSetFont) {
        d.fontSize = r.u16(at);
        at += 2;
        d.fontName = r.wideString(at);
    }
    for (std::uint16_t i = 0; i < count && !r.bad(); ++i) {
        at = Align4(at);
        DialogItem item{};
        item.style = r.u32(at);
        item.exStyle = r.u32(at + 4);
        item.x = r.s16(at + 8);
        item.y = r.s16(at + 10);
        item.cx = r.s16(at + 12);
        item.cy = r.s16(at + 14);
        item.id = r.u16(at + 16);
        at += kDialogItemHeaderSize;
        item.windowClass = r.nameOrOrdinal(at);
        item.text = r.nameOrOrdinal(at);
        at += 2 + std::size_t{r.u16(at)};  // creation data
        d.items.push_back(item);
    }
    if (r.bad()) return std::nullopt;
    return d;
}

std::optional<std::vector<std::string>> DecodeMonoBitmap(Bytes data) {
    Reader r(data);
    const std::uint32_t headerSize = r.u32(0);
    const std::int32_t width = r.s32(4);
    const std::int32_t height = r.s32(8);
    if (r.bad() || headerSize < kInfoHeaderSize || r.u16(12) != 1 || r.u16(14) != 1 || r.u32(16) != kBiRgb ||
        width <= 0 || width > kMaxBitmapSide || height == 0 || height < -kMaxBitmapSide || height > kMaxBitmapSide) {
        return std::nullopt;
    }
    const std::uint32_t colours = r.u32(32) == 0 ? 2 : r.u32(32);
    const std::size_t bits = headerSize + std::size_t{colours} * 4;
    const std::size_t stride = (static_cast<std::size_t>(width) + 31) / 32 * 4;
    const std::size_t rows = static_cast<std::size_t>(height < 0 ? -height : height);
    const Bytes palette = r.slice(headerSize, std::size_t{colours} * 4);
    const Bytes pixels = r.slice(bits, stride * rows);
    if (r.bad()) return std::nullopt;
    std::vector<std::string> picture;
    for (std::size_t y = 0; y < rows; ++y) {
        const std::size_t stored = height > 0 ? rows - 1 - y : y;  // positive height: bottom row first
        std::string row;
        for (std::size_t x = 0; x < static_cast<std::size_t>(width); ++x) {
            const std::size_t index = (pixels[stored * stride + x / 8] >> (7 - x % 8)) & 1;
            const std::uint32_t bgr = index < colours ? Reader(palette).u32(index * 4) & 0xFFFFFF : kNotAColour;
            row += bgr == 0 ? '#' : bgr == 0xFFFFFF ? '.' : '?';
        }
        picture.push_back(row);
    }
    return picture;
}

std::optional<std::vector<IconGroupEntry>> DecodeIconGroup(Bytes data) {
    Reader r(data);
    if (r.u16(0) != 0 || r.u16(2) != kIconGroupType) return std::nullopt;
    const std::uint16_t count = r.u16(4);
    std::vector<IconGroupEntry> entries;
    for (std::uint16_t i = 0; i < count && !r.bad(); ++i) {
        const std::size_t e = kIconGroupHeaderSize + i * kIconGroupEntrySize;
        entries.push_back({r.u8(e), r.u8(e + 1), r.u16(e + 6), r.u16(e + 12)});
    }
    if (r.bad()) return std::nullopt;
    return entries;
}

std::optional<IconImage> DecodeIconImage(Bytes data) {
    Reader r(data);
    if (r.u8(0) == kPngFirstByte || r.u32(0) < kInfoHeaderSize) return std::nullopt;
    IconImage image{r.s32(4), r.s32(8), r.u16(14), r.u32(16), {}};
    if (image.bitCount == kAlphaBits && image.compression == kBiRgb && image.width > 0 &&
        image.width <= kMaxBitmapSide && image.height > 0 && image.height <= 2 * kMaxBitmapSide) {
        const std::size_t count = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height / 2);
        const Bytes pixels = r.slice(r.u32(0), count * 4);
        for (std::size_t i = 3; i < pixels.size(); i += 4) image.alpha.push_back(pixels[i]);
    }
    if (r.bad()) return std::nullopt;
    return image;
}

namespace {

struct VersionNode {
    std::string key;
    std::uint16_t type;
    Bytes value;
    std::vector<VersionNode> children;
};

// One node of the version tree at offset, children within its own length; nullopt when damaged.
std::optional<VersionNode> ParseVersionNode(Bytes data, std::size_t offset, int depth) {
    Reader r(data);
    const std::uint16_t length = r.u16(offset);
    const std::uint16_t valueLength = r.u16(offset + 2);
    VersionNode node{{}, r.u16(offset + 4), {}, {}};
    if (r.bad() || length < kVersionNodeHeaderSize || !r.fits(offset, length)) return std::nullopt;
    const Bytes own = data.first(offset + length);
    Reader inside(own);
    std::size_t at = offset + kVersionNodeHeaderSize;
    node.key = inside.wideString(at);
    at = Align4(at);
    node.value = inside.slice(at, node.type == kVersionTextValue ? valueLength * std::size_t{2} : valueLength);
    at = Align4(at + node.value.size());
    while (at < own.size() && !inside.bad()) {
        if (depth == kVersionMaxDepth) return std::nullopt;
        const auto child = ParseVersionNode(own, at, depth + 1);
        if (!child) return std::nullopt;
        at = Align4(at + Reader(own).u16(at));
        node.children.push_back(*child);
    }
    if (inside.bad()) return std::nullopt;
    return node;
}

std::string TextValue(Bytes value) {
    std::string text;
    for (std::size_t i = 0; i + 1 < value.size(); i += 2) {
        const std::uint16_t c = static_cast<std::uint16_t>(value[i] | value[i + 1] << 8);
        if (c == 0) break;
        text += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return text;
}

}  // namespace

std::optional<VersionInfo> DecodeVersion(Bytes data) {
    const auto root = ParseVersionNode(data, 0, 0);
    if (!root || root->key != kVersionRootKey || root->value.size() < kFixedInfoSize) return std::nullopt;
    Reader fixed(root->value);
    if (fixed.u32(0) != kFixedInfoSignature) return std::nullopt;
    VersionInfo info;
    info.fileVersion = std::uint64_t{fixed.u32(8)} << 32 | fixed.u32(12);
    info.productVersion = std::uint64_t{fixed.u32(16)} << 32 | fixed.u32(20);
    for (const VersionNode& block : root->children) {
        for (const VersionNode& child : block.children) {
            if (block.key == kStringFileInfoKey) {
                for (const VersionNode& text : child.children) info.strings[child.key][text.key] = TextValue(text.value);
            } else if (block.key == kVarFileInfoKey && child.key == kTranslationKey) {
                Reader pairs(child.value);
                for (std::size_t i = 0; i + 4 <= child.value.size(); i += 4) info.translations.push_back(pairs.u32(i));
            }
        }
    }
    return info;
}

}  // namespace tintora::pe
