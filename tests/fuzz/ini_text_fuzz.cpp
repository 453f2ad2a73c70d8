// The settings file's text model against any file, names and value: what is written reads back
// as written, every other key of every section reads as before, only the key's own line changes
// (or lines are only added), and writing a value that is already there changes no byte.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_input.h"
#include "settings/ini_text.h"
#include "text_change.h"

namespace {

using tintora::fuzz::Require;
namespace ini = tintora::ini;

constexpr std::size_t kNpos = std::string_view::npos;
// The names found in a file stand for every key whose value must survive; a dozen of each keeps
// an input fast, as do files no bigger than a hand-edited settings file.
constexpr std::size_t kNamesEach = 12;
constexpr std::size_t kLargestFile = 4096;

// The input: the file, then after a NUL each the value, the key and the section to write. They
// are split off from the end, so the file may hold NULs of its own; what is missing is a usual
// name or value.
struct Case {
    std::string_view file, value = "v", key = "format", section = "options";
};

Case Split(std::string_view data) {
    std::string_view parts[3];
    std::size_t count = 0;
    for (std::size_t nul; count < 3 && (nul = data.rfind('\0')) != kNpos; ++count) {
        parts[count] = data.substr(nul + 1);
        data = data.substr(0, nul);
    }
    Case c;
    c.file = data;
    std::string_view* fields[] = {&c.value, &c.key, &c.section};
    for (std::size_t i = 0; i < count; ++i) *fields[i] = parts[count - 1 - i];
    return c;
}

// Space, tab, LF, VT, FF, CR and Ctrl-Z.
bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1A'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool SameName(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

// Section and key names as a file spells them, found loosely: the model decides which count.
struct Names {
    std::vector<std::string_view> sections, keys;
};

void Add(std::vector<std::string_view>& names, std::string_view name) {
    if (names.size() < kNamesEach && std::find(names.begin(), names.end(), name) == names.end()) {
        names.push_back(name);
    }
}

Names NamesIn(std::string_view file, const Case& c) {
    Names names{{c.section}, {c.key}};
    while (!file.empty()) {
        const std::size_t lf = file.find_first_of("\r\n");
        const std::string_view line = Trim(file.substr(0, lf));
        file = lf == kNpos ? std::string_view{} : file.substr(lf + 1);
        if (line.starts_with('[')) {
            Add(names.sections, Trim(line.substr(1, line.find(']') - 1)));
        } else if (const std::size_t equals = line.find('='); equals != kNpos) {
            Add(names.keys, Trim(line.substr(0, equals)));
        }
    }
    return names;
}

struct Read {
    bool found = false;
    std::string_view value;
    bool operator==(const Read&) const = default;
};

Read ReadAt(std::string_view file, std::string_view section, std::string_view key) {
    Read r;
    r.found = ini::FindValue(file, section, key, &r.value);
    Require(!r.found || (r.value.data() >= file.data() &&
                         r.value.data() + r.value.size() <= file.data() + file.size()),
            "a value read lies inside the file");
    return r;
}

// What the header promises to refuse: names or a value that cannot stand in one line as given.
bool Refusable(const Case& c) {
    auto breaks = [](std::string_view s) { return s.find_first_of("\r\n") != kNpos; };
    auto padded = [](std::string_view s) {
        return s.empty() || IsBlank(s.front()) || IsBlank(s.back());
    };
    return breaks(c.value) || breaks(c.key) || breaks(c.section) || padded(c.key) ||
           padded(c.section) || c.key.find('=') != kNpos || c.key.front() == '[' ||
           c.key.front() == ';' || c.section.find(']') != kNpos;
}

// The write's result in a block of exactly the size the model asks for; empty when refused.
std::string Written(std::string_view file, const Case& c, std::string_view value) {
    const std::size_t limit = ini::WrittenSizeLimit(file.size(), c.section, c.key, value);
    std::vector<char> out(limit);
    const std::size_t size = ini::Write(file, c.section, c.key, value, out.data());
    Require(size <= limit, "a write stays within the size it asked for");
    return std::string(out.data(), size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kLargestFile) return 0;
    const Case c = Split(std::string_view(reinterpret_cast<const char*>(data), size));
    const Names names = NamesIn(c.file, c);
    const Read before = ReadAt(c.file, c.section, c.key);

    const std::string after = Written(c.file, c, c.value);
    if (after.empty()) {
        Require(Refusable(c), "only names or a value that cannot stand in a line are refused");
        return 0;
    }
    Require(!Refusable(c), "names or a value that cannot stand in a line are refused");

    Require(ReadAt(after, c.section, c.key) == Read{true, c.value},
            "a write reads back as written");
    std::vector<char> text(c.value.size() + 1);
    ini::ReadText(after, c.section, c.key, "", text.data(), text.size());
    Require(std::string_view(text.data()) == c.value, "the text read gives the value as written");

    for (std::string_view section : names.sections) {
        for (std::string_view key : names.keys) {
            if (SameName(section, c.section) && SameName(key, c.key)) continue;
            Require(ReadAt(after, section, key) == ReadAt(c.file, section, key),
                    "a write changes no other key or section");
        }
    }

    const tintora::TextChange change = tintora::ChangeBetween(c.file, after);
    if (before.found) {
        Require(change.removed.find_first_of("\r\n") == kNpos && change.added.find_first_of("\r\n") == kNpos,
                "a rewritten key changes its own line only");
    } else {
        Require(change.removed.empty(), "a new key or section only adds lines");
    }

    Require(Written(after, c, c.value) == after, "writing the value again changes no byte");
    if (before.found && before.value.find_first_of("\r\n") == kNpos) {
        Require(Written(c.file, c, before.value) == c.file,
                "writing back the value read changes no byte");
    }
    return 0;
}
