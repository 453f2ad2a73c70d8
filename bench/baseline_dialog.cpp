// Baseline for the benchmark: the smallest modal dialog program, built from an in-memory template.
#include <windows.h>

namespace {

INT_PTR CALLBACK Proc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

struct alignas(4) Template {
    DLGTEMPLATE header;
    WORD menu, windowClass, title;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    Template t{};
    t.header.style = WS_POPUP | WS_BORDER | WS_VISIBLE | DS_CENTER;
    t.header.cx = 148;
    t.header.cy = 74;
    DialogBoxIndirectParamA(instance, &t.header, nullptr, Proc, 0);
    return 0;
}
