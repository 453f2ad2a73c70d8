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
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExpandCopyTemplate(c.copyTemplate, c.channels), c.text) << c.copyTemplate;
    }
}

TEST(CopyTemplate, LongExpansionIsKeptWhole) {
    const std::string letters(255, 'r');
    const std::string text = ExpandCopyTemplate(letters.c_str(), {255, 0, 0});
    EXPECT_EQ(text.size(), 765u);
    EXPECT_EQ(text.find_first_not_of("25"), std::string::npos);
}

}  // namespace
}  // namespace tintora
