// Entry sequence: prepare the state record and run the main window until it ends.
#include <windows.h>
#include <commctrl.h>

#include "app/app_state.h"
#include "app/ini_path.h"
#include "mainwindow/main_dialog.h"
#include "resources/resource_ids.h"

namespace {

constexpr DWORD kModulePathSize = 260;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace tintora;
    InitCommonControls();
    app.instance = GetModuleHandleA(nullptr);

    char modulePath[kModulePathSize];
    const DWORD length = GetModuleFileNameA(nullptr, modulePath, kModulePathSize);
    // A full buffer means the path was cut; then no settings path is used at all.
    if (length > 0 && length < kModulePathSize) {
        MakeIniPath(modulePath, app.iniPath, sizeof(app.iniPath));
    }

    DialogBoxParamA(app.instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc, 0);
    ExitProcess(0);
}
