// The readout, the preview swatch and the hints follow what is under the cursor.
#include <gtest/gtest.h>

#include <shlwapi.h>

#include <cstdio>
#include <string>

#include "harness.h"
#include "resources/resource_ids.h"
#include "ui_helpers.h"

namespace {

using namespace e2e;


const char kWindowHintDefault[] = "Press Ctrl+Alt+C\r\nto copy color code\r\nor Ctrl+Alt+Digit\r\nto save color in\r\nMemo 1-6";
const char kWindowHintOther[] = "Press defined key\r\nto copy color code\r\nor Ctrl+Alt+Digit\r\nto save color in\r\nMemo 1-6";
const char kSwatchHint[] = "Click Left button\r\nto copy color code\r\nRight button to\r\nchoose color or\r\nMiddle to clear";

std::string Readout(int x, int y, const char* hex, const char* html, const char* rgb, const char* hls) {
    return "Pixel at " + std::to_string(x) + ":" + std::to_string(y) + "\r\nHEX  0x" + hex + "\r\nHTML #" + html +
           "\r\nRGB  (" + rgb + ")\r\nHLS  (" + hls + ")";
}

// The readout of a colour whose text the worked example does not give; HLS from the platform.
// With a side above 1 the first line names the averaged square.
std::string ReadoutOf(int x, int y, COLORREF c, int side = 1) {
    WORD h = 0, l = 0, s = 0;
    ColorRGBToHLS(c, &h, &l, &s);
    const std::string area = side > 1 ? "Avg " + std::to_string(side) + "x" + std::to_string(side) : "Pixel";
    char text[256];
    std::snprintf(text, sizeof text, "%s at %d:%d\r\nHEX  0x%.2X%.2X%.2X\r\nHTML #%.2X%.2X%.2X\r\nRGB  (%u,%u,%u)\r\nHLS  (%u,%u,%u)",
                  area.c_str(), x, y, GetBValue(c), GetGValue(c), GetRValue(c), GetRValue(c), GetGValue(c), GetBValue(c),
                  GetRValue(c), GetGValue(c), GetBValue(c), h, l, s);
    return text;
}

bool ShowsText(const Program& program, const std::string& text) {
    return WaitFor([&] { return program.InfoText() == text; });
}

// A pattern whose squares average to other colours than their centre pixels: a red checkerboard
// over green and blue ramps.
COLORREF Mottled(int x, int y) { return RGB(((x ^ y) & 1) * 255, (x * 13 + y * 7) & 0xFF, (x * y) & 0xFF); }

TEST(Sampling, ReadoutOfTheWorkedExample) {
    const struct {
        const char* ini;
        std::string readout;
    } cases[] = {
        {"", Readout(kX, kY, "1080F0", "F08010", "240,128,16", "20,120,210")},
        {"[options]\r\nweb=1\r\n", Readout(kX, kY, "0099FF", "FF9900", "255,153,0", "24,120,240")},
    };
    ColorWindow fixture(kFixture, 0x001080F0);
    for (const auto& c : cases) {
        Sandbox sandbox(c.ini);
        Program program(sandbox);
        ASSERT_NE(program.window(), nullptr);
        MoveCursor(kX, kY);
        EXPECT_TRUE(ShowsText(program, c.readout)) << program.InfoText();
    }
}

TEST(Sampling, WebSafeThresholdNeighboursAndBlack) {
    const struct {
        COLORREF pixel;
        const char* ini;
        const char* hex;
    } cases[] = {
        {RGB(24, 25, 75), "[options]\r\nweb=1\r\n", "333300"},
        {RGB(76, 126, 127), "[options]\r\nweb=1\r\n", "996666"},
        {RGB(177, 178, 228), "[options]\r\nweb=1\r\n", "CCCC99"},
        {RGB(229, 0, 255), "[options]\r\nweb=1\r\n", "FF00FF"},
        {RGB(0, 0, 0), "", "000000"},
    };
    ColorWindow fixture(kFixture, RGB(1, 2, 3));
    for (const auto& c : cases) {
        Sandbox sandbox(c.ini);
        Program program(sandbox);
        ASSERT_NE(program.window(), nullptr);
        fixture.SetColor(c.pixel);
        MoveCursor(kX, kY);
        const std::string hexLine = std::string("\r\nHEX  0x") + c.hex + "\r\n";
        EXPECT_TRUE(WaitFor([&] { return program.InfoText().find(hexLine) != std::string::npos; }))
            << c.hex << " / " << program.InfoText();
    }
}

TEST(Sampling, PreviewSwatchShowsTheSampledColour) {
    ColorWindow fixture(kFixture, RGB(12, 200, 99));
    Sandbox sandbox;
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    MoveCursor(kX, kY);
    const POINT preview = Centre(program.control(IDC_PREVIEW));
    EXPECT_TRUE(WaitFor([&] { return ScreenPixel(preview.x, preview.y) == RGB(12, 200, 99); }));
    fixture.SetColor(RGB(250, 10, 10));
    EXPECT_TRUE(WaitFor([&] { return ScreenPixel(preview.x, preview.y) == RGB(250, 10, 10); }));
}

TEST(Sampling, CursorOffsetMovesTheSampledPoint) {
    ColorWindow fixture(kFixture, RGB(10, 20, 30));
    ColorWindow left({300, 500, 400, 700}, RGB(200, 100, 50));
    Sandbox sandbox("[options]\r\nuseshift=1\r\nshiftx=-350\r\nshifty=20\r\n");
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    MoveCursor(kX, kY);  // samples (350, 620), inside the left window
    EXPECT_TRUE(ShowsText(program, ReadoutOf(350, 620, RGB(200, 100, 50))))
        << program.InfoText();
    MoveCursor(200, kY);  // samples (-150, 620): off the screen, printed with its sign
    EXPECT_TRUE(WaitFor([&] { return program.InfoText().rfind("Pixel at -150:620\r\n", 0) == 0; }))
        << program.InfoText();
}

TEST(Sampling, HintsOverTheOwnWindowAndReadoutAfterLeaving) {
    const struct {
        const char* ini;
        const char* windowHint;
    } cases[] = {
        {"", kWindowHintDefault},
        {"[options]\r\ncopy=0\r\n", kWindowHintOther},
        {"[options]\r\ncopy=1859\r\n", kWindowHintOther},  // Ctrl+Alt+G
    };
    ColorWindow fixture(kFixture, RGB(9, 8, 7));
    for (const auto& c : cases) {
        Sandbox sandbox(c.ini);
        Program program(sandbox);
        ASSERT_NE(program.window(), nullptr);
        const POINT info = Centre(program.control(IDC_INFO));
        MoveCursor(info.x, info.y);
        EXPECT_TRUE(ShowsText(program, c.windowHint)) << program.InfoText();
        const POINT swatch = Centre(program.control(IDC_MEMO_FIRST + 3));
        MoveCursor(swatch.x, swatch.y);
        EXPECT_TRUE(ShowsText(program, kSwatchHint)) << program.InfoText();
        MoveCursor(kX, kY);
        EXPECT_TRUE(ShowsText(program, ReadoutOf(kX, kY, RGB(9, 8, 7))))
            << program.InfoText();
    }
}

// The means worked out by hand on the 1280 x 1024 screen, each channel rounded halves up; at
// the screen's corner only the pixels on the screen count.
TEST(Sampling, AveragedSquareIsTheColourOfReadoutPreviewAndCopy) {
    const struct { int side; POINT at; COLORREF mean; } cases[] = {
        {3, {kX, kY}, RGB(113, 187, 132)},         {5, {kX + 1, kY}, RGB(133, 114, 125)},
        {31, {kX, kY + 1}, RGB(128, 127, 126)},    {5, {1279, 1023}, RGB(113, 216, 4)},
        {31, {1276, 1023}, RGB(128, 125, 79)},
    };
    PatternWindow inside(kFixture, Mottled), corner({1080, 824, 1280, 1024}, Mottled);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.side << " at " << c.at.x << "," << c.at.y);
        Sandbox sandbox("[options]\r\naverage=" + std::to_string(c.side) + "\r\n");
        Program program(sandbox);
        ASSERT_NE(program.window(), nullptr);
        MoveCursor(c.at.x, c.at.y);
        EXPECT_TRUE(ShowsText(program, ReadoutOf(c.at.x, c.at.y, c.mean, c.side))) << program.InfoText();
        const POINT preview = Centre(program.control(IDC_PREVIEW));
        EXPECT_TRUE(WaitFor([&] { return ScreenPixel(preview.x, preview.y) == c.mean; }));
        PutClipboardText("before the copy");
        SendKeys({VK_CONTROL, VK_MENU, 'C'});
        char hex[8];
        std::snprintf(hex, sizeof hex, "%.2X%.2X%.2X", GetRValue(c.mean), GetGValue(c.mean), GetBValue(c.mean));
        EXPECT_TRUE(ClipboardBecomes(hex)) << ClipboardText(CF_TEXT);
    }
}

}  // namespace
