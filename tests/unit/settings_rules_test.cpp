#include "settings/settings_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "settings/ini_text.h"

namespace tintora::settings {
namespace {

std::string File(const std::string& lines) { return "[options]\r\n" + lines; }

std::uint32_t Load(const std::string& file, const IntSetting& s) {
    return ApplyRule(s, ini::ReadInt(file, kSection, s.key, s.defaultValue));
}

std::string LoadText(const std::string& file, const char* key, const char* defaultText) {
    char text[256];
    ini::ReadText(file, kSection, key, defaultText, text, sizeof text);
    return text;
}

TEST(SettingsRules, IntegerKeysTakeTheirRuleOnWhatTheFileHolds) {
    const struct { const char* line; const IntSetting& setting; std::uint32_t value; } cases[] = {
        {"zoomupdate=9", kZoomUpdateSetting, 50},    {"zoomupdate=10", kZoomUpdateSetting, 10},
        {"zoomupdate=200", kZoomUpdateSetting, 200}, {"zoomupdate=201", kZoomUpdateSetting, 50},
        {"zoomupdate=-5", kZoomUpdateSetting, 50},   {"zoomupdate=fast", kZoomUpdateSetting, 50},
        {"zoomrate=1", kZoomRateSetting, 4},         {"zoomrate=2", kZoomRateSetting, 2},
        {"zoomrate=16", kZoomRateSetting, 16},       {"zoomrate=17", kZoomRateSetting, 4},
        {"transparent=7", kTransparentSetting, 1},   {"transparent=0", kTransparentSetting, 0},
        {"web=-1", kWebSetting, 1},                  {"useshift=on", kUseShiftSetting, 0},
        {"shiftx=-20", kShiftXSetting, 0u - 20},     {"shiftx=+15", kShiftXSetting, 15},
        {"shifty=2147483648", kShiftYSetting, 0x80000000},
        {"memo1=red", kMemoSettings[0], 0},          {"memo6=4294967295", kMemoSettings[5], 0xFFFFFFFF},
        {"copy=none", kCopySetting, 0},              {"copy=1603", kCopySetting, 1603},
        {"zoom=5", kZoomSetting, 5},
        {"average=3", kAverageSetting, 3},           {"average=31", kAverageSetting, 31},
        {"average=4", kAverageSetting, 1},           {"average=33", kAverageSetting, 1},
        {"average=-3", kAverageSetting, 1},          {"contrast=2", kContrastSetting, 1},
        // Absent keys give their defaults.
        {"", kCopySetting, 0x4303},      {"", kTransparentSetting, 0}, {"", kWebSetting, 0},
        {"", kUseShiftSetting, 0},       {"", kZoomUpdateSetting, 50}, {"", kZoomRateSetting, 4},
        {"", kShiftXSetting, 0},         {"", kShiftYSetting, 0},      {"", kZoomSetting, 0},
        {"", kAverageSetting, 1},        {"", kContrastSetting, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(Load(File(c.line) + "\r\n", c.setting), c.value) << c.line;
    for (const IntSetting& memo : kMemoSettings) EXPECT_EQ(Load("", memo), 0xFFFFFFu) << memo.key;
}

TEST(SettingsRules, ParseSignedDecimal) {
    const struct { const char* text; std::int32_t value; } cases[] = {
        {"-35", -35},  {"120abc", 120}, {"", 0},   {" 7", 0},        {"+15", 0},
        {"--5", 0},    {"-", 0},        {"12px", 12}, {"-1200", -1200},
        {"2147483648", -2147483647 - 1}, {"4294967297", 1}, {"-4294967295", 1},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseSignedDecimal(c.text), c.value) << c.text;
}

TEST(SettingsRules, PositionsAndTemplateAreReadAsText) {
    const struct { const char* line; const char* key; const char* defaultText; std::string value; } cases[] = {
        {"x= -1200 ", kXKey, kPositionDefault, "-1200"},
        {"x=+15", kXKey, kPositionDefault, "+15"},
        {"other=1", kYKey, kPositionDefault, "0"},
        {"format=", kFormatKey, kFormatDefault, ""},
        {"other=1", kFormatKey, kFormatDefault, "RGB"},
        {"format= \t#%R%G%B  ", kFormatKey, kFormatDefault, "#%R%G%B"},
        {"format=\" RGB \"", kFormatKey, kFormatDefault, " RGB "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LoadText(File(c.line), c.key, c.defaultText), c.value) << c.line;
    }
    EXPECT_EQ(ParseSignedDecimal(LoadText(File("x= -1200 "), kXKey, kPositionDefault).c_str()), -1200);
    EXPECT_EQ(ParseSignedDecimal(LoadText(File("x=+15"), kXKey, kPositionDefault).c_str()), 0);
    const std::string longTemplate(300, 't');
    EXPECT_EQ(LoadText(File("format=" + longTemplate), kFormatKey, kFormatDefault), longTemplate.substr(0, 255));
}

}  // namespace
}  // namespace tintora::settings
