// Baseline for the benchmark: the smallest modal dialog program, built from an in-memory template.
// Built a second time as the styled baseline: the same dialog with what the picker's design puts
// under any window of its own, the common controls with visual styles through the manifest and
// two idle worker threads started once the window shows. The picker's figures over the styled
// baseline are its own cost.
#include <windows.h>
#ifdef STYLED_BASELINE
#include <commctrl.h>
#endif

namespace {

#ifdef STYLED_BASELINE
constexpr UINT kStartWorkersMessage = WM_APP + 2;
constexpr DWORD kIdlePollMs = 10;

DWORD WINAPI Idle(void*) {
    for (;;) Sleep(kIdlePollMs);
}
#endif

INT_PTR CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM) {
#ifdef STYLED_BASELINE
    static bool started;
    if (message == WM_SHOWWINDOW && wParam && !started) {
        started = true;
        PostMessageA(window, kStartWorkersMessage, 0, 0);
    }
    if (message == kStartWorkersMessage) {
        CreateThread(nullptr, 0, Idle, nullptr, 0, nullptr);
        CreateThread(nullptr, 0, Idle, nullptr, 0, nullptr);
    }
#else
    (void)window;
    (void)wParam;
#endif
    return message == WM_INITDIALOG;
}

struct alignas(4) Template {
    DLGTEMPLATE header;
    WORD menu, windowClass, title;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
#ifdef STYLED_BASELINE
    InitCommonControls();
#endif
    Template t{};
    t.header.style = WS_POPUP | WS_BORDER | WS_VISIBLE | DS_CENTER;
    t.header.cx = 148;
    t.header.cy = 74;
    DialogBoxIndirectParamA(instance, &t.header, nullptr, Proc, 0);
    return 0;
}
