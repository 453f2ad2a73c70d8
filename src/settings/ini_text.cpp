#include "settings/ini_text.h"

#include <cstring>

namespace tintora::ini {

namespace {

constexpr std::string_view kNewLineBreak = "\r\n";
// What a write may add beyond the names and the value: a line break to end an unfinished last
// line, the brackets and break of a new section, the '=', quotes and break of the key line.
constexpr std::string_view kAddedBytes = "\r\n[]\r\n=\"\"\r\n";
constexpr std::string_view kQuote = "\"";
// Editors that save as UTF-8 may put this mark before the first line; it is no part of a name.
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Ctrl-Z ends many files saved by old DOS editors; vertical tab and form feed count as blanks too.
constexpr char kDosEnd = '\x1A';
bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == kDosEnd; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// The number prefixes the integer read takes after its sign, lower-case only, and their bases.
constexpr struct { char letter; std::uint32_t base; } kBasePrefixes[] = {{'b', 2}, {'o', 8}, {'x', 16}};
constexpr std::uint32_t kNoDigit = 36;
// The integer read looks at no more of a value than the system's, which takes 29 characters.
constexpr std::size_t kIntTextSize = 30;

std::uint32_t DigitOf(char c) {
    if (c >= '0' && c <= '9') return static_cast<std::uint32_t>(c - '0');
    if (c >= 'a' && c <= 'z') return static_cast<std::uint32_t>(c - 'a' + 10);
    if (c >= 'A' && c <= 'Z') return static_cast<std::uint32_t>(c - 'A' + 10);
    return kNoDigit;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

std::string_view Slice(std::string_view text, std::size_t from, std::size_t to) {
    return std::string_view(text.data() + from, to - from);
}

// Offsets into the text: the line's bytes are [begin, end), its line end [end, next): a CR, an
// LF or the two together.
struct Line {
    std::size_t begin, end, next;
};

class LineReader {
public:
    explicit LineReader(std::string_view text)
        : text_(text), pos_(text.starts_with(kUtf8Mark) ? kUtf8Mark.size() : 0) {}

    bool Next(Line* line) {
        if (pos_ >= text_.size()) return false;
        const std::size_t found = text_.find_first_of("\r\n", pos_);
        line->begin = pos_;
        line->end = found == std::string_view::npos ? text_.size() : found;
        line->next = line->end;
        if (line->next < text_.size() && text_[line->next++] == '\r' && line->next < text_.size() &&
            text_[line->next] == '\n') {
            ++line->next;
        }
        pos_ = line->next;
        return true;
    }

private:
    std::string_view text_;
    std::size_t pos_;
};

enum class Kind { Other, Section, Key };

struct Entry {
    Kind kind;
    std::string_view name;
    // Key lines: whether the line has an '=', where the value starts (after it and its blanks,
    // or where the '=' would go) and the line's end.
    bool hasValue;
    std::size_t valueBegin, valueEnd;
};

Entry Classify(std::string_view text, const Line& line) {
    const std::string_view content = Trim(Slice(text, line.begin, line.end));
    Entry entry{Kind::Other, {}, false, 0, 0};
    if (content.empty() || content.front() == ';') return entry;
    // A header's name runs to its last ']'; a '[' line without one is a key like any other.
    const std::size_t close = content.rfind(']');
    if (content.front() == '[' && close != std::string_view::npos && close > 0) {
        entry.kind = Kind::Section;
        entry.name = Trim(Slice(content, 1, close));
        return entry;
    }
    // A name without '=' is a key too, one without a value: it hides a later line of its name.
    const std::size_t contentBegin = static_cast<std::size_t>(content.data() - text.data());
    const std::size_t equals = content.find('=');
    entry.kind = Kind::Key;
    entry.hasValue = equals != std::string_view::npos;
    entry.name = Trim(content.substr(0, equals));
    entry.valueEnd = line.end;
    entry.valueBegin = contentBegin + (entry.hasValue ? equals + 1 : content.size());
    while (entry.hasValue && entry.valueBegin < entry.valueEnd && IsBlank(text[entry.valueBegin])) ++entry.valueBegin;
    return entry;
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return std::string_view(value.data() + 1, value.size() - 2);
    }
    return value;
}

// The value of a key line as the reader gives it.
std::string_view ValueOf(std::string_view text, const Entry& key) {
    return Unquote(Trim(Slice(text, key.valueBegin, key.valueEnd)));
}

// What a line lacks to be ended: nothing, or a whole line break.
std::string_view MissingBreak(const Line& line) { return line.next > line.end ? std::string_view{} : kNewLineBreak; }

struct Location {
    bool sectionFound = false, keyFound = false, anyLine = false;
    Entry key{};
    Line insertAfter{};  // the section's header or its last key line
    Line last{};         // the file's last line, when the section is missing
};

Location Locate(std::string_view text, std::string_view section, std::string_view key) {
    Location at;
    bool inside = false;
    LineReader lines(text);
    Line line;
    while (lines.Next(&line)) {
        at.anyLine = true;
        at.last = line;
        const Entry entry = Classify(text, line);
        if (entry.kind == Kind::Section) {
            if (inside) break;
            if (SameName(entry.name, section)) {
                inside = at.sectionFound = true;
                at.insertAfter = line;
            }
        } else if (inside && entry.kind == Kind::Key) {
            if (SameName(entry.name, key)) {
                at.keyFound = true;
                at.key = entry;
                break;
            }
            at.insertAfter = line;
        }
    }
    return at;
}

bool Storable(std::string_view section, std::string_view key, std::string_view value) {
    if (section.empty() || Trim(section) != section || HasLineBreak(section) ||
        section.find(']') != std::string_view::npos) {
        return false;
    }
    if (key.empty() || Trim(key) != key || HasLineBreak(key) ||
        key.find('=') != std::string_view::npos || key.front() == '[' || key.front() == ';') {
        return false;
    }
    return !HasLineBreak(value);
}

// The reader strips the blanks around a value and one pair of enclosing quotes; a value that
// would lose either is written inside quotes, so that it reads back as it was written.
std::string_view QuoteFor(std::string_view value) {
    const bool stripped =
        Trim(value).size() != value.size() || Unquote(value).size() != value.size();
    return stripped ? kQuote : std::string_view{};
}

class Output {
public:
    explicit Output(char* out) : out_(out) {}
    Output& operator<<(std::string_view s) {
        if (!s.empty()) std::memcpy(out_ + size_, s.data(), s.size());
        size_ += s.size();
        return *this;
    }
    std::size_t size() const { return size_; }

private:
    char* out_;
    std::size_t size_ = 0;
};

}  // namespace

bool FindValue(std::string_view text, std::string_view section, std::string_view key,
               std::string_view* value) {
    const Location at = Locate(text, section, key);
    if (!at.keyFound || !at.key.hasValue) return false;
    *value = ValueOf(text, at.key);
    return true;
}

void ReadText(std::string_view text, std::string_view section, std::string_view key,
              const char* defaultText, char* buffer, std::size_t size) {
    if (size == 0) return;
    std::string_view value;
    if (!FindValue(text, section, key, &value)) value = defaultText;
    const std::size_t length = value.size() < size ? value.size() : size - 1;
    if (length > 0) std::memcpy(buffer, value.data(), length);
    buffer[length] = '\0';
}

std::uint32_t ReadInt(std::string_view text, std::string_view section, std::string_view key,
                      std::uint32_t defaultValue) {
    std::string_view value;
    if (!FindValue(text, section, key, &value) || value.empty()) return defaultValue;
    return ParseInt(value.substr(0, kIntTextSize - 1));
}

std::uint32_t ParseInt(std::string_view value) {
    std::size_t i = 0;
    while (i < value.size() && static_cast<unsigned char>(value[i]) <= ' ') ++i;
    const bool negative = i < value.size() && value[i] == '-';
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) ++i;
    std::uint32_t base = 10;
    if (value.size() - i >= 2 && value[i] == '0') {
        for (const auto& [letter, prefixed] : kBasePrefixes) {
            if (value[i + 1] == letter) base = prefixed;
        }
        if (base != 10) i += 2;
    }
    std::uint32_t number = 0;
    for (; i < value.size(); ++i) {
        const std::uint32_t digit = DigitOf(value[i]);
        if (digit >= base) break;
        number = number * base + digit;
    }
    return negative ? 0u - number : number;
}

std::size_t WrittenSizeLimit(std::size_t textSize, std::string_view section, std::string_view key,
                             std::string_view value) {
    return textSize + section.size() + key.size() + value.size() + kAddedBytes.size();
}

std::size_t Write(std::string_view text, std::string_view section, std::string_view key,
                  std::string_view value, char* out) {
    if (!Storable(section, key, value)) return 0;
    const Location at = Locate(text, section, key);
    const std::string_view quote = QuoteFor(value);
    Output o(out);
    if (at.keyFound && at.key.hasValue && ValueOf(text, at.key) == value) {
        // Already there: the file stays byte for byte as it is, hand-made layout included.
        o << text;
    } else if (at.keyFound) {
        // Everything from the old value's first byte to the line's end goes, trailing blanks too.
        // A name without '=' gets one, and keeps what follows it.
        const std::size_t rest = at.key.hasValue ? at.key.valueEnd : at.key.valueBegin;
        o << Slice(text, 0, at.key.valueBegin) << (at.key.hasValue ? "" : "=") << quote << value << quote
          << Slice(text, rest, text.size());
    } else if (at.sectionFound) {
        const std::size_t split = at.insertAfter.next;
        o << Slice(text, 0, split) << MissingBreak(at.insertAfter) << key << "=" << quote
          << value << quote << kNewLineBreak << Slice(text, split, text.size());
    } else {
        o << text;
        if (at.anyLine) o << MissingBreak(at.last);
        o << "[" << section << "]" << kNewLineBreak << key << "=" << quote << value << quote
          << kNewLineBreak;
    }
    return o.size();
}

}  // namespace tintora::ini
