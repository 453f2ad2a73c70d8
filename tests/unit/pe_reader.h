// Reads the parts of a built Windows program that the resource tests look at, without Windows.
// Every read is bounds-checked: a damaged file gives an error or an empty answer, never a crash.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace tintora::pe {

using Bytes = std::span<const std::uint8_t>;

// A resource or class name as a template stores it: a number or a string.
using NameOrOrdinal = std::variant<std::uint16_t, std::string>;

class Image {
public:
    explicit Image(std::vector<std::uint8_t> bytes);

    // Empty when the headers parsed; otherwise why not, and every query below finds nothing.
    const std::string& error() const { return error_; }
    std::uint16_t machine() const { return machine_; }
    bool pe32Plus() const { return pe32Plus_; }
    std::uint16_t subsystem() const { return subsystem_; }

    // The DLLs in the import table, each with the functions imported from it by name; nullopt
    // when the table is damaged.
    struct ImportedDll {
        std::string name;
        std::vector<std::string> functions;
    };
    std::optional<std::vector<ImportedDll>> imports() const;
    // The data of resource type/id in its first language; nullopt when absent or damaged.
    std::optional<Bytes> resource(std::uint16_t type, std::uint16_t id) const;

private:
    struct Section {
        std::uint32_t rva, rawOffset, rawSize;
    };
    std::optional<Bytes> atRva(std::uint32_t rva, std::uint32_t size) const;
    std::optional<std::string> stringAtRva(std::uint32_t rva) const;

    std::vector<std::uint8_t> bytes_;
    std::string error_;
    std::uint16_t machine_ = 0;
    bool pe32Plus_ = false;
    std::uint16_t subsystem_ = 0;
    std::vector<Section> sections_;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> directories_;  // rva, size
};

// Whole file, or an empty vector when it cannot be read.
std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path);

struct DialogItem {
    std::uint32_t style, exStyle;
    std::int16_t x, y, cx, cy;
    std::uint16_t id;
    NameOrOrdinal windowClass, text;
};

struct Dialog {
    std::uint32_t style, exStyle;
    std::int16_t x, y, cx, cy;
    NameOrOrdinal menu, windowClass;
    std::string title;
    std::uint16_t fontSize;  // only with DS_SETFONT
    std::string fontName;
    std::vector<DialogItem> items;
};
std::optional<Dialog> DecodeDialog(Bytes data);

// A 1-bit bitmap resource as rows of '#' (black) and '.' (white), top row first.
std::optional<std::vector<std::string>> DecodeMonoBitmap(Bytes data);

struct IconGroupEntry {
    std::uint8_t width, height;
    std::uint16_t bitCount;
    std::uint16_t iconId;  // the RT_ICON resource holding the image
};
std::optional<std::vector<IconGroupEntry>> DecodeIconGroup(Bytes data);

// The header of one icon image, when it is a DIB (not PNG).
struct IconImage {
    std::int32_t width, height;  // height counts the colour and mask halves
    std::uint16_t bitCount;
    std::uint32_t compression;
    std::vector<std::uint8_t> alpha;  // of every pixel, for 32-bit images
};
std::optional<IconImage> DecodeIconImage(Bytes data);

struct VersionInfo {
    std::uint64_t fileVersion, productVersion;  // major.minor in the high half
    std::map<std::string, std::map<std::string, std::string>> strings;  // table -> name -> value
    std::vector<std::uint32_t> translations;  // language in the low half, code page in the high
};
std::optional<VersionInfo> DecodeVersion(Bytes data);

}  // namespace tintora::pe
