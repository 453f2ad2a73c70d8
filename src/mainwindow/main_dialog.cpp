#include "mainwindow/main_dialog.h"

#include "app/app_state.h"
#include "mainwindow/about_box.h"
#include "mainwindow/tray_icon.h"
#include "resources/resource_ids.h"
#include "settings/settings_load.h"

namespace tintora {

namespace {

constexpr char kTaskbarCreated[] = "TaskbarCreated";
// Shows only on the taskbar button: the window has no caption bar.
constexpr char kWindowTitle[] = "Tintora 1.6 - by the Tintora developers";

// The readout font: no installed face has this name, so the mapper picks by the fixed pitch,
// which keeps the readout's columns aligned.
constexpr int kReadoutFontHeight = 14;
constexpr char kReadoutFontFace[] = "Sanf Serif";

void AddDropShadow(HWND window) {
    const DWORD style = GetClassLongA(window, GCL_STYLE);
    SetClassLongA(window, GCL_STYLE, static_cast<LONG>(style | CS_DROPSHADOW));
}

void SetReadoutFont(HWND window) {
    const HFONT font = CreateFontA(kReadoutFontHeight, 0, 0, 0, 0, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                   OUT_RASTER_PRECIS, 0, 0, FIXED_PITCH, kReadoutFontFace);
    SendDlgItemMessageA(window, IDC_INFO, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void StartUp(HWND window) {
    app.taskbarCreatedMsg = RegisterWindowMessageA(kTaskbarCreated);
    app.mainWindow = window;
    app.windowShown = 1;
    FillTrayIconData(window);
    SetWindowTextA(window, kWindowTitle);
    AddDropShadow(window);
    LoadCopyHotkey();
    app.previewControl = GetDlgItem(window, IDC_PREVIEW);
    SendMessageA(window, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconA(app.instance, MAKEINTRESOURCEA(IDI_APP))));
    SetReadoutFont(window);
    LoadRemainingSettings();
    // The template asks for a system-modal window, which Windows keeps on top; make sure of it.
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        StartUp(window);
        return 1;
    case WM_COMMAND:
        if (wParam == IDC_EXIT) EndDialog(window, 0);
        // Esc arrives as the same command as the bar-glyph button.
        if (wParam == IDC_HIDE) HideToTray(window);
        if (wParam == IDC_ABOUT) ShowAboutBox(window);
        return 1;
    case WM_CLOSE:
        HideToTray(window);
        return 1;
    case kTrayNotifyMessage:
        OnTrayNotify(window, wParam, lParam);
        return 1;
    default:
        // Zero until start-up registers it, or when registering failed: never WM_NULL.
        if (app.taskbarCreatedMsg != 0 && message == app.taskbarCreatedMsg) OnTaskbarCreated();
        return 0;
    }
}

}  // namespace tintora
