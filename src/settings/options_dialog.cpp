#include "settings/options_dialog.h"

#include "app/app_state.h"
#include "app/dialog_layout.h"
#include "app/window_messages.h"
#include "app/window_drag.h"
#include "resources/resource_ids.h"
#include "settings/options_fields.h"

namespace tintora {

namespace {

ScaledLayout layout;  // UI thread only

}  // namespace

void RunOptionsDialog() {
    app.optionsShown = 1;
    DialogBoxParamA(app.instance, MAKEINTRESOURCEA(IDD_OPTIONS), app.mainWindow, OptionsDialogProc, 0);
    app.optionsShown = 0;
    app.ownDialog = nullptr;
    // Settings that arrived while the dialog was open are taken now.
    if (app.settingsArriving.load()) PostMessageA(app.mainWindow, kSettingsArrivedMessage, 0, 0);
}

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        // Sampled like any other window while open; as the main window's owned popup it would
        // otherwise count as part of it and show the hint instead.
        app.ownDialog = dialog;
        FillOptions(dialog);
        StartFollowingDpi(dialog, layout);
        // It must not fall behind the topmost main window; the template's system-modal style
        // is not honoured everywhere.
        SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        return 1;
    case WM_COMMAND:
        if (wParam == IDOK) {
            if (SaveOptions(dialog)) EndDialog(dialog, 0);
        } else if (wParam == IDCANCEL) {
            EndDialog(dialog, 0);
        } else if (wParam == IDC_OPT_USE_SHIFT) {
            EnableShiftControls(dialog, IsDlgButtonChecked(dialog, IDC_OPT_USE_SHIFT) == BST_CHECKED);
        }
        return 1;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return 1;
    case WM_LBUTTONDOWN:
        BeginWindowDrag(dialog);
        return 1;
    default:
        return FollowDpiChanges(dialog, message, wParam, lParam, layout) ? 1 : 0;
    }
}

}  // namespace tintora
