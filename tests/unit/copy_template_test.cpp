#include "memos/copy_template.h"

#include <gtest/gtest.h>

#include <string>

namespace tintora {
namespace {

TEST(CopyTemplate, ExpandsEveryPresetAndEdgeCase) {
    const struct {
        const char* copyTemplate;
        Channels channels;
        const char* text;
    } cases[] = {
        {"RGB", {255, 128, 10}, "FF800A"},
        {"#RGB", {255, 128, 10}, "#FF800A"},
        {"0x00BGR", {255, 128, 10}, "0x000A80FF"},
        {"(r,g,b)", {255, 128, 10}, "(255,128,10)"},
        {"rgb(r, g, b)", {255, 128, 10}, "25512810(255, 128, 10)"},
        {"hex #", {1, 2, 3}, "hex #"},
        {"#RGB", {0, 5, 10}, "#00050A"},
        {"(r,g,b)", {0, 5, 10}, "(0,5,10)"},
        {"RGB", {0, 0, 0}, "000000"},
        {"0x00BGR", {255, 255, 255}, "0x00FFFFFF"},
        {"(r,g,b)", {255, 255, 65535}, "(255,255,65535)"},  // a hand-edited memo value
        {"RGB", {255, 255, 65535}, "FFFFFFFF"},
        {"", {1, 2, 3}, ""},
        {"\xE9t\xE9 R", {0xAB, 0, 0}, "\xE9t\xE9 AB"},  // bytes above 0x7F pass through
        {"{r},{HEX},{rgb},{hex", {240, 128, 16}, "{240},{HEX},{24012816},{hex"},  // no tokens
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExpandCopyTemplate(c.copyTemplate, c.channels), c.text) << c.copyTemplate;
    }
}

// Oklch rows of red, green and blue and the hsl() of rebeccapurple as the CSS colour module
// publishes them; half-way cases round up, a hue that rounds to 360 is 0.
TEST(CopyTemplate, TokensGiveEachNotation) {
    const struct {
        Channels channels;
        const char* text;
    } cases[] = {
        {{0, 0, 0}, "000000|hsl(0, 0%, 0%)|hsv(0, 0%, 0%)|oklch(0.00% 0.0000 0.00)|black"},
        {{255, 255, 255}, "ffffff|hsl(0, 0%, 100%)|hsv(0, 0%, 100%)|oklch(100.00% 0.0000 0.00)|white"},
        {{255, 0, 0}, "ff0000|hsl(0, 100%, 50%)|hsv(0, 100%, 100%)|oklch(62.80% 0.2577 29.23)|red"},
        {{0, 128, 0}, "008000|hsl(120, 100%, 25%)|hsv(120, 100%, 50%)|oklch(51.98% 0.1769 142.50)|green"},
        {{0, 0, 255}, "0000ff|hsl(240, 100%, 50%)|hsv(240, 100%, 100%)|oklch(45.20% 0.3132 264.05)|blue"},
        {{240, 128, 16}, "f08010|hsl(30, 88%, 50%)|hsv(30, 93%, 94%)|oklch(71.17% 0.1710 55.76)|darkorange"},
        {{102, 51, 153}, "663399|hsl(270, 50%, 40%)|hsv(270, 67%, 60%)|oklch(44.03% 0.1603 303.37)|rebeccapurple"},
        {{255, 0, 1}, "ff0001|hsl(0, 100%, 50%)|hsv(0, 100%, 100%)|oklch(62.80% 0.2576 29.18)|red"},
        {{120, 1, 0}, "780100|hsl(1, 100%, 24%)|hsv(1, 100%, 47%)|oklch(36.01% 0.1471 29.40)|maroon"},
        {{200, 199, 199}, "c8c7c7|hsl(0, 1%, 78%)|hsv(0, 1%, 78%)|oklch(83.05% 0.0011 17.18)|silver"},
        {{0, 255, 255}, "00ffff|hsl(180, 100%, 50%)|hsv(180, 100%, 100%)|oklch(90.54% 0.1546 194.77)|aqua"},
        {{255, 0, 255}, "ff00ff|hsl(300, 100%, 50%)|hsv(300, 100%, 100%)|oklch(70.17% 0.3225 328.36)|fuchsia"},
        {{128, 128, 128}, "808080|hsl(0, 0%, 50%)|hsv(0, 0%, 50%)|oklch(59.99% 0.0000 0.00)|gray"},
        {{47, 79, 79}, "2f4f4f|hsl(180, 25%, 25%)|hsv(180, 41%, 31%)|oklch(40.30% 0.0377 195.76)|darkslategray"},
        {{0x110, 0x1FF, 0xFF80}, "10ff80|hsl(148, 100%, 53%)|hsv(148, 94%, 100%)|oklch(87.57% 0.2336 151.02)|springgreen"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExpandCopyTemplate("{hex}|{hsl}|{hsv}|{oklch}|{name}", c.channels), c.text) << c.text;
    }
}

TEST(CopyTemplate, TokenPastTheLimitIsLeftOutWhole) {
    const std::string letters(kCopyTextLimit / 3 - 1, 'r');  // two places left after "g"
    const std::string text = ExpandCopyTemplate((letters + "g{name}x").c_str(), {255, 0, 0});
    EXPECT_EQ(text.size(), kCopyTextLimit - 1);
    EXPECT_EQ(text.substr(text.size() - 5), "2550x");
}

// The palette is one line per memo, as a left click on it copies it, each cut as a single copy.
TEST(CopyTemplate, MemoNumberContrastAndPalette) {
    constexpr Channels kWhite{255, 255, 255};
    const struct {
        const char* copyTemplate;
        Channels channels;
        CopyContext context;
        const char* text;
    } cases[] = {
        {"--c{n}: #{hex};", {255, 128, 10}, {kWhite, 3}, "--c3: #ff800a;"},
        {"--c{n}: #{hex};", {255, 128, 10}, {kWhite, 0}, "--c: #ff800a;"},  // the current colour
        {"r {contrast} r", {0x77, 0x77, 0x77}, {{0x77, 0x77, 0x77}, 2}, "119 1.00:1 119"},
        {"{contrast", {1, 2, 3}, {kWhite, 1}, "{cont1ast"},  // no token: its r is a channel
        {"{N}{n }", {1, 2, 3}, {kWhite, 6}, "{N}{n }"},
    };
    for (const auto& c : cases) EXPECT_EQ(ExpandCopyTemplate(c.copyTemplate, c.channels, c.context), c.text);
    const Channels memos[] = {{255, 0, 0}, {0, 128, 0}, {0, 0, 255}, {0, 0, 0}, {255, 255, 255}, {0x12, 0x34, 0x56}};
    EXPECT_EQ(ExpandPalette("--c{n}: #{hex}; /* {contrast} */", memos, 6, {0, 0, 255}),
              "--c1: #ff0000; /* 2.14:1 */\r\n--c2: #008000; /* 1.67:1 */\r\n--c3: #0000ff; /* 1.00:1 */\r\n"
              "--c4: #000000; /* 2.44:1 */\r\n--c5: #ffffff; /* 8.59:1 */\r\n--c6: #123456; /* 1.48:1 */");
    EXPECT_EQ(ExpandPalette("", memos, 6, {0, 0, 0}), "\r\n\r\n\r\n\r\n\r\n");
    const std::string longTemplate = std::string(kCopyTextLimit / 3 - 1, 'r') + "g{name}x";
    const std::string first = ExpandCopyTemplate(longTemplate.c_str(), memos[0], {memos[0], 1});
    ASSERT_EQ(first.size(), kCopyTextLimit - 1);  // "{name}" left out: it would pass the limit
    EXPECT_EQ(ExpandPalette(longTemplate.c_str(), memos, 2, memos[0]),
              first + "\r\n" + ExpandCopyTemplate(longTemplate.c_str(), memos[1], {memos[0], 2}));
}

TEST(CopyTemplate, LongExpansionIsKeptWhole) {
    const std::string letters(255, 'r');
    const std::string text = ExpandCopyTemplate(letters.c_str(), {255, 0, 0});
    EXPECT_EQ(text.size(), 765u);
    EXPECT_EQ(text.find_first_not_of("25"), std::string::npos);
}

}  // namespace
}  // namespace tintora
