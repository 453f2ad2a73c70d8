// The picker at the display scale of the run's prefix (CTest runs this program at 96, 120, 144
// and 192 dpi), and across a change of scale while it runs.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "harness.h"
#include "mainwindow/tray_icon.h"
#include "resources/resource_ids.h"
#include "ui_helpers.h"

namespace {

using namespace e2e;

// The crosshair's distance from the view's edges at 96 dpi.
constexpr int kCrosshairMargin = 20;
// The window's outer size with the magnifier hidden and shown, at the scale the run starts at
// and after a change to the other scale that the change tests go to: 224 or 328 by 122 pixels
// at 96 dpi, scaled (halves rounded up), but never smaller than the template comes out at that
// scale: at 120 dpi the dialog font makes it 298 wide (and the view wider), at 144 dpi 187 high,
// which scales back to 125 at 96 dpi. The view's client size too.
struct WindowSize {
    int narrow, wide, height;
};
struct ScaleRun {
    UINT dpi;
    WindowSize size;
    SIZE view;
    UINT other;
    WindowSize sizeAtOther;
};
constexpr ScaleRun kScaleRuns[] = {
    {96, {224, 328, 122}, {95, 103}, 144, {336, 492, 183}},
    {120, {298, 430, 153}, {128, 131}, 144, {358, 517, 183}},
    {144, {336, 492, 187}, {145, 161}, 96, {224, 328, 125}},
    {192, {448, 656, 244}, {196, 212}, 144, {336, 492, 183}},
};
// Away from the tray window's corner; the largest window (656 x 244 at 200 %) ends above kPattern.
constexpr char kPlacement[] = "[options]\r\nx=300\r\ny=300\r\n";
constexpr RECT kPattern{600, 600, 1000, 1000};
constexpr POINT kCursor{800, 800};
constexpr int kButtons[] = {IDC_EXIT, IDC_HIDE, IDC_OPTIONS, IDC_ZOOM, IDC_ABOUT};
constexpr int kMemos[] = {200, 201, 202, 203, 204, 205};

UINT ScreenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

const ScaleRun& ThisRun() {
    const UINT dpi = ScreenDpi();
    for (const ScaleRun& run : kScaleRuns) {
        if (run.dpi == dpi) return run;
    }
    ADD_FAILURE() << "no sizes known at " << dpi << " dpi";
    return kScaleRuns[0];
}

int Scaled(int size, UINT dpi) { return MulDiv(size, static_cast<int>(dpi), 96); }

// The button picture for a scale: 13 pixels at 100 %, 16 at 125, 20 at 150, 26 at 200 %.
int PictureSize(UINT dpi) { return dpi >= 192 ? 26 : dpi >= 144 ? 20 : dpi >= 120 ? 16 : 13; }

SIZE Size(const RECT& r) { return {r.right - r.left, r.bottom - r.top}; }

RECT ClientOnScreen(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Every control a person uses lies whole inside the client area; the view only while shown.
void ExpectControlsInside(const Program& program, bool zoomShown) {
    const RECT client = ClientOnScreen(program.window());
    std::vector<int> ids(std::begin(kButtons), std::end(kButtons));
    ids.insert(ids.end(), std::begin(kMemos), std::end(kMemos));
    if (zoomShown) ids.push_back(IDC_ZOOM_VIEW);
    for (const int id : ids) {
        const RECT r = WindowRect(program.control(id));
        EXPECT_TRUE(r.left >= client.left && r.top >= client.top && r.right <= client.right && r.bottom <= client.bottom)
            << "control " << id << " at " << r.left << "," << r.top << "-" << r.right << "," << r.bottom << " outside "
            << client.left << "," << client.top << "-" << client.right << "," << client.bottom;
    }
}

void ExpectPictures(const Program& program, UINT dpi) {
    for (const int id : kButtons) {
        const SIZE s = Size(WindowRect(program.control(id)));
        EXPECT_EQ(s.cx, PictureSize(dpi)) << "button " << id << " at " << dpi;
        EXPECT_EQ(s.cy, PictureSize(dpi)) << "button " << id << " at " << dpi;
    }
}

// WM_DPICHANGED as the system sends it, with the suggested rectangle in the program's memory.
void SendDpiChanged(const Program& program, UINT dpi, RECT suggested, HWND window = nullptr) {
    void* remote = VirtualAllocEx(program.process(), nullptr, sizeof suggested, MEM_COMMIT, PAGE_READWRITE);
    ASSERT_NE(remote, nullptr);
    WriteProcessMemory(program.process(), remote, &suggested, sizeof suggested, nullptr);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window ? window : program.window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                        reinterpret_cast<LPARAM>(remote), SMTO_BLOCK, 5000, &result);
    VirtualFreeEx(program.process(), remote, 0, MEM_RELEASE);
}

TEST(Dpi, WindowHoldsEveryControlWithTheMagnifierOffAndOn) {
    const ScaleRun& run = ThisRun();
    Sandbox sandbox(kPlacement);
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    SCOPED_TRACE(testing::Message() << run.dpi << " dpi");

    const SIZE narrow = Size(WindowRect(program.window()));
    EXPECT_EQ(narrow.cx, run.size.narrow);
    EXPECT_EQ(narrow.cy, run.size.height);
    ExpectControlsInside(program, false);
    ExpectPictures(program, run.dpi);

    // On, off and on again: the panel comes and goes.
    for (const bool shown : {true, false, true}) {
        ClickControl(program.control(IDC_ZOOM));
        const int width = shown ? run.size.wide : run.size.narrow;
        EXPECT_TRUE(WaitFor([&] { return Size(WindowRect(program.window())).cx == width; }))
            << Size(WindowRect(program.window())).cx << " instead of " << width;
        EXPECT_EQ(Size(WindowRect(program.window())).cy, run.size.height);
        ExpectControlsInside(program, shown);
        WaitPastDoubleClick();
    }
}

// With "contrast" on, the preview over yellow shows "Aa" in memo 1's blue and the figures in
// black, no line cut at its edge, which stays yellow all round.
TEST(Dpi, ContrastShowsTheReferenceMemoInsideThePreview) {
    constexpr COLORREF kYellow = RGB(255, 255, 0), kBlue = RGB(0, 0, 255);
    ColorWindow fixture(kPattern, kYellow);
    Sandbox sandbox(std::string(kPlacement) + "contrast=1\r\nmemo1=" + std::to_string(kBlue) + "\r\n");
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    SCOPED_TRACE(testing::Message() << ScreenDpi() << " dpi");
    MoveCursor(kCursor.x, kCursor.y);
    const RECT in = ClientOnScreen(program.control(IDC_PREVIEW));
    EXPECT_TRUE(WaitFor([&] {
        const std::map<COLORREF, int> colors = ScreenColors(in);
        return colors.size() == 3 && colors.count(kYellow) && colors.count(kBlue) && colors.count(RGB(0, 0, 0));
    }));
    for (const RECT& edge : {RECT{in.left, in.top, in.right, in.top + 1}, RECT{in.left, in.bottom - 1, in.right, in.bottom},
                             RECT{in.left, in.top, in.left + 1, in.bottom}, RECT{in.right - 1, in.top, in.right, in.bottom}}) {
        EXPECT_EQ(ScreenColors(edge), (std::map<COLORREF, int>{{kYellow, Size(edge).cx * Size(edge).cy}}));
    }
}

TEST(Dpi, MagnifierViewShowsTheSourceEnlargedWithItsCrosshairCentred) {
    const ScaleRun& run = ThisRun();
    const UINT dpi = run.dpi;
    PatternWindow pattern(kPattern);
    MoveCursor(kCursor.x, kCursor.y);
    Sandbox sandbox(std::string(kPlacement) + "zoom=1\r\nzoomrate=4\r\n");
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    const HWND view = program.control(IDC_ZOOM_VIEW);
    RECT client;
    GetClientRect(view, &client);
    const int w = client.right, h = client.bottom, margin = Scaled(kCrosshairMargin, dpi);
    const POINT origin = ClientOrigin(view);
    auto pixel = [&](int x, int y) { return ScreenPixel(origin.x + x, origin.y + y); };
    SCOPED_TRACE(testing::Message() << dpi << " dpi, view " << w << "x" << h);
    EXPECT_EQ(w, run.view.cx);
    EXPECT_EQ(h, run.view.cy);

    // Source pixel (k, j) from the view's top-left fills the view pixels around ((2k+1)/2, (2j+1)/2) * 4.
    const int sw = w / 4, sh = h / 4;
    const POINT source{kCursor.x - sw / 2, kCursor.y - sh / 2};
    auto enlarged = [&](int k, int j) {
        return pixel((2 * k + 1) * w / (2 * sw), (2 * j + 1) * h / (2 * sh)) ==
               PatternWindow::ColorAt(source.x + k, source.y + j);
    };
    EXPECT_TRUE(WaitFor([&] { return enlarged(1, 1) && enlarged(sw - 2, 2) && enlarged(3, sh - 2); }));

    const struct {
        int x, y;
        bool black;
    } crosshair[] = {
        {w / 2, h / 2, true},
        {w / 2, margin, true},         {w / 2, margin - 1, false},
        {w / 2, h - margin - 1, true}, {w / 2, h - margin, false},
        {margin, h / 2, true},         {margin - 1, h / 2, false},
        {w - margin - 1, h / 2, true}, {w - margin, h / 2, false},
    };
    for (const auto& p : crosshair) {
        EXPECT_EQ(pixel(p.x, p.y) == RGB(0, 0, 0), p.black) << p.x << "," << p.y;
    }
}

TEST(Dpi, EachImageButtonDoesItsJobWhenClickedAtItsCentre) {
    Sandbox sandbox(kPlacement);
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    SCOPED_TRACE(testing::Message() << ScreenDpi() << " dpi");

    for (const int id : {IDC_OPTIONS, IDC_ABOUT}) {
        ClickControl(program.control(id));
        HWND dialog = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (dialog = FindOwnedDialog(program.window())) != nullptr; })) << id;
        PostMessageA(dialog, WM_COMMAND, id == IDC_OPTIONS ? IDCANCEL : IDOK, 0);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); })) << id;
        WaitPastDoubleClick();
    }

    ClickControl(program.control(IDC_HIDE));
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(program.window()); }));
    PostMessageA(program.window(), tintora::kTrayNotifyMessage, 0, WM_LBUTTONDOWN);
    PostMessageA(program.window(), tintora::kTrayNotifyMessage, 0, WM_LBUTTONUP);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(program.window()) != FALSE; }));
    WaitPastDoubleClick();

    ClickControl(program.control(IDC_EXIT));
    DWORD code = 1;
    EXPECT_TRUE(program.WaitForExit(5000, &code));
    EXPECT_EQ(code, 0u);
}

TEST(Dpi, ReadoutNamesThePixelUnderTheCursorAllOverTheScreen) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    PatternWindow pattern({0, 0, width, height});
    Sandbox sandbox(kPlacement);
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    const RECT own = WindowRect(program.window());
    SCOPED_TRACE(testing::Message() << ScreenDpi() << " dpi");

    for (const int y : {0, 1, 257, 511, 766, height - 2, height - 1}) {
        for (const int x : {0, 1, 170, 421, 640, 899, 1102, width - 2, width - 1}) {
            if (x >= own.left - 2 && x < own.right + 2 && y >= own.top - 2 && y < own.bottom + 2) continue;
            const COLORREF c = PatternWindow::ColorAt(x, y);
            char expected[64];
            std::snprintf(expected, sizeof expected, "Pixel at %d:%d\r\nHEX  0x%.2X%.2X%.2X\r\n", x, y, GetBValue(c),
                          GetGValue(c), GetRValue(c));
            MoveCursor(x, y);
            EXPECT_TRUE(WaitFor([&] { return program.InfoText().rfind(expected, 0) == 0; }))
                << expected << " / " << program.InfoText();
        }
    }
}

TEST(Dpi, FollowsAChangeOfScaleAndBack) {
    const ScaleRun& run = ThisRun();
    const UINT first = run.dpi, other = run.other;
    for (const bool zoomShown : {true, false}) {
        Sandbox sandbox(std::string(kPlacement) + (zoomShown ? "zoom=1\r\n" : ""));
        Program program(sandbox);
        ASSERT_NE(program.window(), nullptr);
        SCOPED_TRACE(testing::Message() << first << " -> " << other << " dpi, magnifier " << zoomShown);
        const RECT before = WindowRect(program.window());
        const RECT exitBefore = WindowRect(program.control(IDC_EXIT));

        // The system suggests the rectangle scaled about its new top-left corner.
        const RECT there{500, 150, 500 + MulDiv(before.right - before.left, other, first),
                         150 + MulDiv(before.bottom - before.top, other, first)};
        SendDpiChanged(program, other, there);
        const RECT r = WindowRect(program.window());
        EXPECT_EQ(r.left, there.left);
        EXPECT_EQ(r.top, there.top);
        EXPECT_EQ(Size(r).cx, zoomShown ? run.sizeAtOther.wide : run.sizeAtOther.narrow);
        EXPECT_EQ(Size(r).cy, run.sizeAtOther.height);
        ExpectControlsInside(program, zoomShown);
        ExpectPictures(program, other);
        EXPECT_EQ(IniValue(sandbox.ReadIni(), "zoom"), zoomShown ? std::optional<std::string>("1") : std::nullopt);

        // Back: the first size and layout, where the suggestion puts it.
        const RECT back{320, 310, 320 + Size(before).cx, 310 + Size(before).cy};
        SendDpiChanged(program, first, back);
        EXPECT_EQ(WindowRect(program.window()).left, back.left);
        EXPECT_EQ(WindowRect(program.window()).top, back.top);
        EXPECT_EQ(Size(WindowRect(program.window())).cx, Size(before).cx);
        EXPECT_EQ(Size(WindowRect(program.window())).cy, Size(before).cy);
        const RECT exitAfter = WindowRect(program.control(IDC_EXIT));
        EXPECT_EQ(exitAfter.left - back.left, exitBefore.left - before.left);
        EXPECT_EQ(exitAfter.top - back.top, exitBefore.top - before.top);
        ExpectPictures(program, first);

        // The magnifier goes on as it was: the button still switches it by the first sizes.
        ClickControl(program.control(IDC_ZOOM));
        const int toggled = zoomShown ? run.size.narrow : run.size.wide;
        EXPECT_TRUE(WaitFor([&] { return Size(WindowRect(program.window())).cx == toggled; }));
        WaitPastDoubleClick();
    }
}

TEST(Dpi, OptionsDialogAndAboutBoxFollowAChangeOfScaleAndBack) {
    const ScaleRun& run = ThisRun();
    const UINT first = run.dpi, other = run.other;
    Sandbox sandbox(kPlacement);
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    for (const int id : {IDC_OPTIONS, IDC_ABOUT}) {
        SCOPED_TRACE(testing::Message() << "dialog of " << id << ", " << first << " -> " << other << " dpi");
        ClickControl(program.control(id));
        HWND dialog = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (dialog = FindOwnedDialog(program.window())) != nullptr; }));
        const RECT before = WindowRect(dialog);
        const RECT okBefore = WindowRect(GetDlgItem(dialog, IDOK));
        const RECT client = ClientOnScreen(dialog);
        for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            RECT r = WindowRect(c), common;
            if (GetDlgCtrlID(c) == 0xFFFF) continue;  // labels and the frame, which a person does not use
            EXPECT_TRUE(IntersectRect(&common, &r, &client) && EqualRect(&common, &r)) << "inside: " << GetDlgCtrlID(c);
        }

        const RECT there{450, 120, 450 + MulDiv(Size(before).cx, other, first), 120 + MulDiv(Size(before).cy, other, first)};
        SendDpiChanged(program, other, there, dialog);
        const RECT r = WindowRect(dialog);
        EXPECT_TRUE(EqualRect(&r, &there)) << r.left << "," << r.top << "-" << r.right << "," << r.bottom;
        EXPECT_NEAR(Size(WindowRect(GetDlgItem(dialog, IDOK))).cx, MulDiv(Size(okBefore).cx, other, first), 1);

        SendDpiChanged(program, first, before, dialog);
        const RECT back = WindowRect(dialog);
        EXPECT_TRUE(EqualRect(&back, &before));
        const RECT okBack = WindowRect(GetDlgItem(dialog, IDOK));
        EXPECT_TRUE(EqualRect(&okBack, &okBefore));

        PostMessageA(dialog, WM_COMMAND, id == IDC_OPTIONS ? IDCANCEL : IDOK, 0);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
        WaitPastDoubleClick();
    }
}

}  // namespace
