#include "mainwindow/window_scale.h"

#include "app/app_state.h"
#include "app/dialog_layout.h"
#include "app/dpi_scale.h"
#include "magnifier/magnifier.h"
#include "resources/resource_ids.h"

namespace tintora {

namespace {

// The readout font: no installed face has this name, so the mapper picks by the fixed pitch,
// which keeps the readout's columns aligned.
constexpr int kReadoutFontHeight = 14;
constexpr char kReadoutFontFace[] = "Sanf Serif";
// The longest line of the readout and of the hints, which the info text shows unbroken.
constexpr int kReadoutColumns = 18;

// The template's layout as it came out at start-up, UI thread only.
ScaledLayout mainLayout;

struct ButtonPicture {
    int control;
    WORD bitmap;  // at 100 %
};
constexpr ButtonPicture kButtonPictures[] = {
    {IDC_EXIT, IDB_EXIT}, {IDC_HIDE, IDB_TRAY}, {IDC_OPTIONS, IDB_OPTIONS},
    {IDC_ZOOM, IDB_MAGNIFIER}, {IDC_ABOUT, IDB_ABOUT},
};

HFONT MakeReadoutFont(int height, int width) {
    return CreateFontA(height, width, 0, 0, 0, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_RASTER_PRECIS, 0, 0,
                       FIXED_PITCH, kReadoutFontFace);
}

int CharacterWidth(HWND control, HFONT font) {
    TEXTMETRICA metrics{};
    const HDC dc = GetDC(control);
    if (!dc) return 0;
    const HGDIOBJ previous = SelectObject(dc, font);
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return metrics.tmAveCharWidth;
}

void SetReadoutFont(HWND window, UINT dpi) {
    const HWND info = GetDlgItem(window, IDC_INFO);
    const int height = ScaleToDpi(kReadoutFontHeight, dpi);
    HFONT font = MakeReadoutFont(height, 0);
    // At other scales the mapper may pick a face whose glyphs widen faster than they grow: then
    // narrower ones of the same height, so that every line still fits unbroken.
    if (dpi != kBaseDpi && font) {
        RECT box;
        GetClientRect(info, &box);
        const int widest = box.right / kReadoutColumns;
        if (widest > 0 && CharacterWidth(info, font) > widest) {
            DeleteObject(font);
            font = MakeReadoutFont(height, widest);
        }
    }
    SendMessageA(info, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (app.readoutFont) DeleteObject(app.readoutFont);
    app.readoutFont = font;
}

// Each static sizes itself to its new picture; the one it showed before is ours to delete.
void ShowButtonPictures(HWND window, UINT dpi) {
    const int step = ButtonPictureIndex(dpi) * IDB_SIZE_STEP;
    for (const ButtonPicture& b : kButtonPictures) {
        const HANDLE picture = LoadImageA(app.instance, MAKEINTRESOURCEA(b.bitmap + step), IMAGE_BITMAP, 0, 0, 0);
        if (!picture) continue;
        const auto previous = reinterpret_cast<HGDIOBJ>(
            SendDlgItemMessageA(window, b.control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture)));
        if (previous) DeleteObject(previous);
    }
}

// The outer width that shows the whole magnifier view, laid out as it is now.
int ViewWidth() {
    RECT view;
    GetWindowRect(GetDlgItem(app.mainWindow, IDC_ZOOM_VIEW), &view);
    RECT window;
    GetWindowRect(app.mainWindow, &window);
    RECT client;
    GetClientRect(app.mainWindow, &client);
    POINT origin{0, 0};
    ClientToScreen(app.mainWindow, &origin);
    const int border = (window.right - window.left) - client.right;
    return view.right - origin.x + border;
}

// The template's layout stretched to the window's size at its DPI. Where the template's font
// does not grow with the display as the fixed sizes do (a bitmap font may not), the controls
// still fill the window; where the two agree, the template's own layout stays (and comes back
// after a change, when again is set).
void LayOutForDpi(bool again) {
    ScaledLayout& layout = mainLayout;
    const ZoomWindowSize size = MainWindowSizes();
    const SIZE client{size.narrowWidth - (layout.baseSize.cx - layout.baseClient.cx),
                      size.height - (layout.baseSize.cy - layout.baseClient.cy)};
    if (!again && client.cx == layout.baseClient.cx && client.cy == layout.baseClient.cy) return;
    StretchLayout(layout, layout.baseClient, client);
}

}  // namespace

ZoomWindowSize MainWindowSizes() {
    // The template as it would come out at this DPI.
    const ScaledLayout& layout = mainLayout;
    return ZoomWindowSizeAt(app.windowDpi, ScaleBetween(layout.baseSize.cx, layout.baseDpi, app.windowDpi),
                            ScaleBetween(layout.baseSize.cy, layout.baseDpi, app.windowDpi), ViewWidth());
}

void PrepareScaling(HWND window) {
    StartFollowingDpi(window, mainLayout);
    RecordLayout(window, mainLayout);
    app.windowDpi = mainLayout.baseDpi;
    LayOutForDpi(false);
    SetReadoutFont(window, app.windowDpi);
    // The template shows the 100 % pictures already.
    if (ButtonPictureIndex(app.windowDpi) != 0) ShowButtonPictures(window, app.windowDpi);
}

void OnDpiChanged(HWND window, WPARAM wParam, LPARAM lParam) {
    const UINT dpi = LOWORD(wParam);
    if (dpi == 0 || !lParam) return;
    const RECT suggested = *reinterpret_cast<const RECT*>(lParam);
    app.windowDpi = dpi;
    mainLayout.dpi = dpi;
    LayOutForDpi(true);
    SetReadoutFont(window, dpi);
    ShowButtonPictures(window, dpi);
    OpenMagnifierView(window);
    FitWindowToPanel(&suggested);
    InvalidateRect(window, nullptr, TRUE);
}

}  // namespace tintora
