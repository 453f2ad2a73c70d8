#include "memos/contrast_swatch.h"

#include <algorithm>
#include <iterator>

#include "app/app_state.h"
#include "app/dpi_scale.h"
#include "app/text_format.h"
#include "memos/contrast_ratio.h"

namespace tintora {

namespace {

// Four lines: "Aa" in the reference colour, the ratio, the level, the memo compared with.
constexpr int kLines = 4;
constexpr char kSample[] = "Aa";
constexpr char kMemoFormat[] = "vs %d";
// The widest texts each line can show, which the font is fitted to once for the swatch's size,
// so that it does not change as the ratio does.
constexpr const char* kWidestTexts[] = {kSample, "21.00:1", "Large", "vs 6"};
// A scalable face on every system, drawn without smoothing: each glyph pixel is the line's colour.
constexpr char kFontFace[] = "Tahoma";
constexpr int kMargin = 1;  // between the text and the swatch's edge
constexpr COLORREF kBlackInk = RGB(0, 0, 0);
constexpr COLORREF kWhiteInk = RGB(255, 255, 255);
constexpr COLORREF kColorBits = 0xFFFFFF;  // a hand-edited memo value's top byte is no colour

// The font for the swatch's current size, UI thread only.
HFONT overlayFont;
SIZE fontBox;

HFONT MakeFont(int height) {
    return CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                       NONANTIALIASED_QUALITY, VARIABLE_PITCH | FF_SWISS, kFontFace);
}

// The room the four lines take in the font.
SIZE TextBlock(HDC dc, HFONT font) {
    const HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SIZE block{0, kLines * metrics.tmHeight};
    for (const char* text : kWidestTexts) {
        SIZE size{};
        GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
        block.cx = std::max(block.cx, size.cx);
    }
    SelectObject(dc, previous);
    return block;
}

// The largest font whose four lines fit the box: first the one that fills its height, then
// smaller ones while the widest line or the lines' height still pass it.
HFONT FontFor(HDC dc, SIZE box) {
    if (overlayFont && box.cx == fontBox.cx && box.cy == fontBox.cy) return overlayFont;
    if (overlayFont) DeleteObject(overlayFont);
    fontBox = box;
    int height = std::max(1, static_cast<int>(box.cy) / kLines);
    for (;;) {
        overlayFont = MakeFont(height);
        if (!overlayFont || height == 1) return overlayFont;
        const SIZE block = TextBlock(dc, overlayFont);
        if (block.cx <= box.cx && block.cy <= box.cy) return overlayFont;
        DeleteObject(overlayFont);
        // Glyphs grow about in step with the height: straight to the likely size, then by one.
        const int fitting = std::min(MulDiv(height, box.cx, std::max(1L, block.cx)), MulDiv(height, box.cy, std::max(1L, block.cy)));
        height = std::max(1, std::min(height - 1, fitting));
    }
}

void DrawLines(HDC dc, RECT box, COLORREF current, int slot) {
    const COLORREF reference = app.memoColors[slot].load() & kColorBits;
    const Channels background = SplitColor(current);
    const std::uint32_t hundredths = ContrastHundredths(background, SplitColor(reference));
    char ratio[kContrastTextSize];
    FormatContrastRatio(ratio, hundredths);
    char memo[kTextSize];
    FormatText(memo, sizeof memo, kMemoFormat, slot + 1);
    const char* lines[kLines] = {kSample, ratio, ContrastLevel(hundredths), memo};
    const COLORREF ink = WhiteReadsBetterOn(background) ? kWhiteInk : kBlackInk;

    const int margin = ScaleToDpi(kMargin, app.windowDpi);
    InflateRect(&box, -margin, -margin);
    const HGDIOBJ previous = SelectObject(dc, FontFor(dc, {box.right - box.left, box.bottom - box.top}));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SetBkMode(dc, TRANSPARENT);
    RECT line = box;
    line.top += (box.bottom - box.top - kLines * metrics.tmHeight) / 2;
    for (int i = 0; i < kLines; ++i) {
        line.bottom = line.top + metrics.tmHeight;
        SetTextColor(dc, i == 0 ? reference : ink);
        DrawTextA(dc, lines[i], -1, &line, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
        line.top = line.bottom;
    }
    SelectObject(dc, previous);
}

// Drawn in memory and shown in one copy, so the text does not flicker as the colour changes.
void PaintContrast(HWND preview) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(preview, &paint);
    if (!dc) return;
    RECT box;
    GetClientRect(preview, &box);
    const HDC memory = CreateCompatibleDC(dc);
    const HBITMAP bitmap = CreateCompatibleBitmap(dc, box.right, box.bottom);
    if (memory && bitmap) {
        const HGDIOBJ previous = SelectObject(memory, bitmap);
        const COLORREF current = LoadSample().current;
        SetDCBrushColor(memory, current);
        FillRect(memory, &box, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        DrawLines(memory, box, current, app.contrastMemo.load());
        BitBlt(dc, 0, 0, box.right, box.bottom, memory, 0, 0, SRCCOPY);
        SelectObject(memory, previous);
    }
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
    EndPaint(preview, &paint);
}

LRESULT CALLBACK PreviewProc(HWND preview, UINT message, WPARAM wParam, LPARAM lParam) {
    if (app.showContrast.load()) {
        if (message == WM_PAINT) {
            PaintContrast(preview);
            return 0;
        }
        if (message == WM_ERASEBKGND) return 1;  // the paint covers every pixel
    }
    const auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(preview, GWLP_USERDATA));
    return CallWindowProcA(previous, preview, message, wParam, lParam);
}

}  // namespace

void RepaintContrast() {
    if (app.showContrast.load()) InvalidateRect(app.previewControl, nullptr, FALSE);
}

void SubclassPreview(HWND preview) {
    const LONG_PTR previous = SetWindowLongPtrA(preview, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PreviewProc));
    SetWindowLongPtrA(preview, GWLP_USERDATA, previous);
}

}  // namespace tintora
