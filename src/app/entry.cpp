// Entry sequence: prepare the state record and run the main window until it ends.
#include <windows.h>
#include <commctrl.h>

#include "app/app_state.h"
#include "settings/settings_writer.h"
#include "mainwindow/main_dialog.h"
#include "resources/resource_ids.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace tintora;
    InitCommonControls();
    app.instance = GetModuleHandleA(nullptr);
    FindSettingsFile();

    DialogBoxParamA(app.instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc, 0);
    ExitProcess(0);
}
