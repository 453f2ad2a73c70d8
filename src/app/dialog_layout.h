// Laying a window out again at another display scale: the main window, the options dialog and
// the About box each keep such a layout record.
#pragma once

#include <windows.h>

namespace tintora {

// A window's children as laid out at the DPI it was made at, so that every later DPI scales
// them from there and going back gives the first layout again.
constexpr int kMaxLaidOutChildren = 32;
struct ChildPlace {
    HWND child;
    RECT rect;  // in the window's client coordinates
};
struct ScaledLayout {
    UINT baseDpi;
    UINT dpi;  // the one the window is at now
    SIZE baseSize;  // outer size at baseDpi
    SIZE baseClient;  // client size at baseDpi
    HFONT baseFont;  // the dialog's own font, the system's to release
    HFONT scaledFont;  // made for another DPI, ours to release
    int count;  // below 0 until the layout is recorded
    ChildPlace children[kMaxLaidOutChildren];
};

// Takes the window's DPI and leaves rescaling on a DPI change to the program: without this, the
// dialog manager of Windows 10 1703 on would rescale the window too, its own way. The layout
// is recorded at the first change, once the window has laid itself out.
void StartFollowingDpi(HWND window, ScaledLayout& layout);
// Records the window's size, its children's places and its font, as they are at layout.dpi.
void RecordLayout(HWND window, ScaledLayout& layout);
// Moves and sizes the children, stretched from the recorded layout by to / from on each axis,
// and gives them the dialog font stretched as the height; the recorded layout and font again
// when to equals from.
void StretchLayout(ScaledLayout& layout, SIZE from, SIZE to);
// For a dialog: WM_DPICHANGED takes the DPI from wParam, lays the children out for it and puts
// the window on the rectangle lParam suggests; WM_DESTROY releases the font made for it. True
// when the message needs nothing more.
bool FollowDpiChanges(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, ScaledLayout& layout);

}  // namespace tintora
