#include "settings/ini_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <string>
#include <vector>

#include "text_change.h"

namespace tintora::ini {
namespace {

constexpr char kOptions[] = "options";
constexpr char kAbsent[] = "<absent>";

std::string Read(std::string_view file, const char* key, std::size_t size = 256) {
    std::vector<char> buffer(size);
    ReadText(file, kOptions, key, kAbsent, buffer.data(), buffer.size());
    return buffer.data();
}

std::string Written(std::string_view file, std::string_view key, std::string_view value,
                    std::string_view section = kOptions) {
    std::string out(WrittenSizeLimit(file.size(), section, key, value), '\0');
    out.resize(Write(file, section, key, value, out.data()));
    return out;
}

TEST(IniText, ReadsTheValueAsTheProfileReadGivesIt) {
    const std::string longLine(70000, 'j');
    static constexpr char kJunk[] = "\0\x01\xff[x\r\n\0=\0\r\n[options]\r\nformat=ok\r\n";
    const struct { std::string file; const char* key; std::string value; } cases[] = {
        {"[options]\r\nformat=RGB\r\n", "format", "RGB"},
        {"[OPTIONS]\r\nFormat=x\r\n", "fORMAT", "x"},
        {"[ options ]\r\n \tformat \t= \t#%R %G \t\r\n", "format", "#%R %G"},
        {"[options]\r\nformat=\"  q  \"\r\n", "format", "  q  "},
        {"[options]\r\nformat='a'\r\n", "format", "a"},
        {"[options]\r\nformat=\"a'\r\n", "format", "\"a'"},
        {"[options]\r\nformat=\"\"b\"\"\r\n", "format", "\"b\""},
        {"[options]\r\nformat=\"\r\n", "format", "\""},
        {"[options]\r\nformat=\r\n", "format", ""},
        {"[options]\r\nformat=a=b\r\n", "format", "a=b"},
        {"[options]\nformat=lf\nnext=1\n", "format", "lf"},
        {"[options]\r\nformat=no end", "format", "no end"},
        {"[options]\r\nformat=lone cr\r", "format", "lone cr"},
        {"[options]\r\nformat=1\r\nFORMAT=2\r\n", "format", "1"},
        {"\xEF\xBB\xBF[options]\r\nformat=marked\r\n", "format", "marked"},
        {std::string(kJunk, sizeof kJunk - 1), "format", "ok"},
        {"[options]\r\n" + longLine + "\r\nformat=after long\r\n", "format", "after long"},
        // Never found: other section, outside any section, no '=', comment, second section.
        {"[other]\r\nformat=x\r\n", "format", kAbsent},
        {"format=x\r\n[options]\r\n", "format", kAbsent},
        {"[options]\r\nformat\r\n", "format", kAbsent},
        {"[options]\r\n;format=x\r\n", "format", kAbsent},
        {"[options]\r\n[other]\r\n[options]\r\nformat=x\r\n", "format", kAbsent},
        {"[options]\r\nfor mat=x\r\n", "format", kAbsent},
        {"", "format", kAbsent},
    };
    for (const auto& c : cases) EXPECT_EQ(Read(c.file, c.key), c.value) << c.file.substr(0, 80);
}

TEST(IniText, CutsValuesAndDefaultsToTheBuffer) {
    const std::string file = "[options]\r\nformat=" + std::string(300, 'v') + "\r\n";
    EXPECT_EQ(Read(file, "format"), std::string(255, 'v'));
    EXPECT_EQ(Read(file, "format", 3), "vv");
    EXPECT_EQ(Read(file, "missing", 4), "<ab");
    char untouched = 'u';
    ReadText(file, kOptions, "format", kAbsent, &untouched, 0);
    EXPECT_EQ(untouched, 'u');
}

TEST(IniText, IntegerReadTakesTheLeadingNumber) {
    const struct { const char* value; std::uint32_t number; } cases[] = {
        {"123", 123},          {"12px", 12},         {"+15", 15},
        {"-1", 0xFFFFFFFF},    {"-2147483648", 0x80000000},
        {"4294967295", 0xFFFFFFFF}, {"4294967296", 0},  {"4294967297", 1},
        {"px", 0},             {"", 0},              {"--5", 0},
        {"- 5", 0},            {"+-5", 0},           {" \t8", 8},
        // Prefixes after the sign, lower-case only, and digits of their base.
        {"0x1F", 31},          {"-0x10", 0xFFFFFFF0}, {"0o17", 15},  {"0b102", 2},
        {"0X1F", 0},           {"0x", 0},             {"0xfg", 15},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseInt(c.value), c.number) << c.value;
    EXPECT_EQ(ReadInt("[options]\r\nn = \"42\" \r\n", kOptions, "n", 7), 42u);
    EXPECT_EQ(ReadInt("[options]\r\nn=\r\n", kOptions, "n", 7), 7u);
    EXPECT_EQ(ReadInt("[options]\r\nn=\"\"\r\n", kOptions, "n", 7), 7u);
    EXPECT_EQ(ReadInt("[options]\r\nn=" + std::string(29, '0') + "5\r\n", kOptions, "n", 7), 0u);
    EXPECT_EQ(ReadInt("[options]\r\n", kOptions, "n", 7), 7u);
}

TEST(IniText, WriteChangesOnlyTheKeysLine) {
    const struct { const char* before; const char* key; const char* after; } cases[] = {
        {"", "memo1", "[options]\r\nmemo1=5\r\n"},
        {"[options]\r\nmemo1=1\r\nmemo2=2\r\n", "memo1", "[options]\r\nmemo1=5\r\nmemo2=2\r\n"},
        {"[Options]\r\n  MEMO1 = 1  \r\n", "memo1", "[Options]\r\n  MEMO1 = 5\r\n"},
        {"[options]\r\nmemo1=\r\n", "memo1", "[options]\r\nmemo1=5\r\n"},
        {"[options]\r\nmemo1=1", "memo1", "[options]\r\nmemo1=5"},
        {"[options]\nmemo1=1\nx=2\n", "memo1", "[options]\nmemo1=5\nx=2\n"},
        {"[options]\r\nmemo1=1\r\nmemo1=2\r\n", "memo1", "[options]\r\nmemo1=5\r\nmemo1=2\r\n"},
        // Appended after the section's last key, before blank lines and the next section.
        {"[options]\r\na=1\r\n\r\n[other]\r\nb=2\r\n", "memo1",
         "[options]\r\na=1\r\nmemo1=5\r\n\r\n[other]\r\nb=2\r\n"},
        {"[options]\r\n; note\r\n", "memo1", "[options]\r\nmemo1=5\r\n; note\r\n"},
        {"[options]\na=1\n", "memo1", "[options]\na=1\nmemo1=5\r\n"},
        {"[options]\r\na=1", "memo1", "[options]\r\na=1\r\nmemo1=5\r\n"},
        {"[options]\r\na=1\r", "memo1", "[options]\r\na=1\rmemo1=5\r\n"},
        {"[options]\r\nmemo1\t\r\nmemo1=1\r\n", "memo1", "[options]\r\nmemo1=5\t\r\nmemo1=1\r\n"},
        {"memo1=1\r\n[options]\r\n", "memo1", "memo1=1\r\n[options]\r\nmemo1=5\r\n"},
        {"[options]\r\n[x]\r\n[options]\r\nmemo1=1\r\n", "memo1",
         "[options]\r\nmemo1=5\r\n[x]\r\n[options]\r\nmemo1=1\r\n"},
        // Section created at the end, after ending an unfinished last line.
        {"[other]\r\nb=2\r\n", "memo1", "[other]\r\nb=2\r\n[options]\r\nmemo1=5\r\n"},
        {"junk", "memo1", "junk\r\n[options]\r\nmemo1=5\r\n"},
        {"\xEF\xBB\xBF", "memo1", "\xEF\xBB\xBF[options]\r\nmemo1=5\r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(Written(c.before, c.key, "5"), c.after) << c.before;
}

// What the reader would strip (outer blanks, one pair of quotes) is written inside quotes; a
// value that already reads back as the one written leaves the file as it was.
TEST(IniText, WrittenValueReadsBackAsTypedAndRewritesNothing) {
    const struct { const char* before; const char* value; const char* after; } cases[] = {
        {"", " #RGB", "[options]\r\nformat=\" #RGB\"\r\n"},
        {"[options]\r\nformat=x\r\n", "#RGB\t", "[options]\r\nformat=\"#RGB\t\"\r\n"},
        {"[options]\r\nformat=x\r\n", "\"q\"", "[options]\r\nformat=\"\"q\"\"\r\n"},
        {"[options]\r\nformat=x\r\n", "'a'", "[options]\r\nformat=\"'a'\"\r\n"},
        {"[options]\r\nformat=x\r\n", "  ", "[options]\r\nformat=\"  \"\r\n"},
        {"[options]\r\nformat=x\r\n", "\"a' b", "[options]\r\nformat=\"a' b\r\n"},
        {"[options]\r\nformat=x\r\n", "\"", "[options]\r\nformat=\"\r\n"},
        {"[options]\r\nformat=x\r\n", "", "[options]\r\nformat=\r\n"},
        {"[options]\r\n format = #RGB \t\r\n", "#RGB", "[options]\r\n format = #RGB \t\r\n"},
        {"[options]\r\nformat='a'\r\n", "a", "[options]\r\nformat='a'\r\n"},
    };
    for (const auto& c : cases) {
        const std::string after = Written(c.before, "format", c.value);
        EXPECT_EQ(after, c.after) << c.value;
        EXPECT_EQ(Read(after, "format"), c.value);
        EXPECT_EQ(Written(after, "format", c.value), after) << c.value;
    }
}

TEST(IniText, RefusesWhatCannotStandInOneLine) {
    const struct { const char* section; const char* key; const char* value; } cases[] = {
        {kOptions, "format", "a\r\nmemo1=0"}, {kOptions, "format", "a\nb"}, {kOptions, "format", "a\r"},
        {kOptions, "", "1"},   {kOptions, "a=b", "1"}, {kOptions, " a", "1"}, {kOptions, "[a", "1"},
        {kOptions, ";a", "1"}, {"", "a", "1"},         {"a]b", "a", "1"},    {"a\nb", "a", "1"},
    };
    for (const auto& c : cases) {
        std::string out(WrittenSizeLimit(0, c.section, c.key, c.value), '\0');
        EXPECT_EQ(Write("[options]\r\n", c.section, c.key, c.value, out.data()), 0u) << c.key;
    }
}

bool SameKey(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return std::tolower(x) == std::tolower(y); });
}

// Junk files from a fixed seed: a write must read back, leave every other key as it read before
// and change bytes within one line only.
TEST(IniText, RandomFilesSurviveWrites) {
    std::mt19937 random(20240611);
    const char* const keys[] = {"memo1", "MEMO1", "format", "zoom", "x", "copy"};
    const char* const sections[] = {"[options]", "[OPTIONS]", " [ options ] ", "[other]", "[options"};
    const char* const breaks[] = {"\r\n", "\n", "\r", "\r\n"};
    const std::string valueChars = "0123456789abcXYZ#%(), =\"'-+";
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    auto value = [&] {
        std::string v = std::string(1, 'v') + std::to_string(random());
        for (std::size_t n = pick(8); n > 0; --n) v += valueChars[pick(valueChars.size())];
        return v + "e";
    };
    for (int round = 0; round < 3000; ++round) {
        std::string file;
        for (std::size_t lines = pick(14); lines > 0; --lines) {
            switch (pick(7)) {
            case 0: file += sections[pick(std::size(sections))]; break;
            case 1: file += ";" + value(); break;
            case 2: for (std::size_t n = pick(12); n > 0; --n) file += static_cast<char>(random()); break;
            case 3: if (pick(100) == 0) file += std::string(65600, '~'); break;
            default: file += std::string(pick(2), ' ') + keys[pick(std::size(keys))] + " =" + value();
            }
            file += breaks[pick(std::size(breaks))];
        }
        if (pick(3) == 0 && !file.empty()) file.pop_back();

        const char* key = keys[pick(std::size(keys))];
        const std::string written = value();
        const std::string after = Written(file, key, written);
        ASSERT_FALSE(after.empty());
        EXPECT_EQ(Read(after, key), written);
        for (const char* other : keys) {
            char before[256], now[256];
            ReadText(file, "other", other, kAbsent, before, sizeof before);
            ReadText(after, "other", other, kAbsent, now, sizeof now);
            EXPECT_STREQ(now, before);
            if (!SameKey(other, key)) {
                EXPECT_EQ(Read(after, other), Read(file, other)) << other;
            }
        }
        const std::string_view removed = ChangeBetween(file, after).removed;
        EXPECT_EQ(removed.find('\n'), std::string::npos) << "a whole line changed: " << removed;
        if (HasFailure()) break;
    }
}

}  // namespace
}  // namespace tintora::ini
