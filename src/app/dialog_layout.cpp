#include "app/dialog_layout.h"

#include "app/dpi_scale.h"
#include "app/system_library.h"
#include "app/window_dpi.h"

namespace tintora {

namespace {

// A call that Windows before 10 1703 lacks, looked up when first needed.
constexpr char kSetDialogDpiChangeBehaviorName[] = "SetDialogDpiChangeBehavior";
using SetDialogDpiChangeBehaviorFunction = BOOL(WINAPI*)(HWND, int, int);
constexpr int kDialogDpiChangeDisableAll = 1;  // DDC_DISABLE_ALL

constexpr UINT kPlaceFlags = SWP_NOZORDER | SWP_NOACTIVATE;

}  // namespace

void StartFollowingDpi(HWND window, ScaledLayout& layout) {
    const auto setBehavior =
        SystemFunction<SetDialogDpiChangeBehaviorFunction>(kUserLibrary, kSetDialogDpiChangeBehaviorName);
    if (setBehavior) setBehavior(window, kDialogDpiChangeDisableAll, kDialogDpiChangeDisableAll);
    layout.baseDpi = layout.dpi = WindowDpi(window);
    layout.scaledFont = nullptr;
    layout.count = -1;
}

void RecordLayout(HWND window, ScaledLayout& layout) {
    layout.baseDpi = layout.dpi;
    RECT outer;
    GetWindowRect(window, &outer);
    layout.baseSize = {outer.right - outer.left, outer.bottom - outer.top};
    RECT client;
    GetClientRect(window, &client);
    layout.baseClient = {client.right, client.bottom};
    layout.baseFont = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    layout.count = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child && layout.count < kMaxLaidOutChildren;
         child = GetWindow(child, GW_HWNDNEXT)) {
        ChildPlace& place = layout.children[layout.count++];
        place.child = child;
        GetWindowRect(child, &place.rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place.rect), 2);
    }
}

void StretchLayout(ScaledLayout& layout, SIZE from, SIZE to) {
    auto x = [&](LONG v) { return ScaleBetween(v, static_cast<std::uint32_t>(from.cx), static_cast<std::uint32_t>(to.cx)); };
    auto y = [&](LONG v) { return ScaleBetween(v, static_cast<std::uint32_t>(from.cy), static_cast<std::uint32_t>(to.cy)); };
    for (int i = 0; i < layout.count; ++i) {
        const RECT& r = layout.children[i].rect;
        const int left = x(r.left), top = y(r.top);
        SetWindowPos(layout.children[i].child, nullptr, left, top, x(r.right) - left, y(r.bottom) - top, kPlaceFlags);
    }

    // The dialog font at the new size; at the recorded size the dialog's own one again.
    HFONT made = nullptr;
    LOGFONTA font;
    if (from.cy != to.cy && layout.baseFont && GetObjectA(layout.baseFont, sizeof font, &font)) {
        font.lfHeight = y(font.lfHeight);
        made = CreateFontIndirectA(&font);
    }
    const HFONT shown = made ? made : layout.baseFont;
    if (shown) {
        for (int i = 0; i < layout.count; ++i) {
            SendMessageA(layout.children[i].child, WM_SETFONT, reinterpret_cast<WPARAM>(shown), TRUE);
        }
    }
    if (layout.scaledFont) DeleteObject(layout.scaledFont);
    layout.scaledFont = made;
}

bool FollowDpiChanges(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, ScaledLayout& layout) {
    if (message == WM_DESTROY) {
        if (layout.scaledFont) DeleteObject(layout.scaledFont);
        layout.scaledFont = nullptr;
        return false;
    }
    if (message != WM_DPICHANGED) return false;
    const UINT dpi = LOWORD(wParam);
    if (dpi == 0 || !lParam) return true;
    const RECT suggested = *reinterpret_cast<const RECT*>(lParam);
    if (layout.count < 0) RecordLayout(dialog, layout);
    layout.dpi = dpi;
    const LONG base = static_cast<LONG>(layout.baseDpi);
    StretchLayout(layout, {base, base}, {static_cast<LONG>(dpi), static_cast<LONG>(dpi)});
    SetWindowPos(dialog, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, kPlaceFlags);
    InvalidateRect(dialog, nullptr, TRUE);
    return true;
}

}  // namespace tintora
