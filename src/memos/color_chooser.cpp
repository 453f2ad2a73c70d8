#include "memos/color_chooser.h"

#include "app/app_state.h"
#include "app/system_library.h"
#include "memos/centering.h"
#include "memos/memo_swatches.h"
#include "resources/resource_ids.h"

namespace tintora {

namespace {

constexpr char kChooserTitle[] = "Tintora";
constexpr DWORD kChooserFlags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK;

// Loaded when the chooser first opens: the library brings the printing stack with it.
using ChooseColorFunction = BOOL(WINAPI*)(CHOOSECOLORA*);
constexpr char kDialogLibrary[] = "comdlg32.dll";
constexpr char kChooseColorName[] = "ChooseColorA";

}  // namespace

void CenterWindowOnScreen(HWND window) {
    if (!IsWindow(window) || IsZoomed(window)) return;
    RECT r;
    GetWindowRect(window, &r);
    const Placement p = CenteredPosition(static_cast<unsigned>(r.right - r.left), static_cast<unsigned>(r.bottom - r.top),
                                         static_cast<unsigned>(GetSystemMetrics(SM_CXSCREEN)),
                                         static_cast<unsigned>(GetSystemMetrics(SM_CYSCREEN)));
    if (p.move) SetWindowPos(window, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

UINT_PTR CALLBACK ChooserHookProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        app.ownDialog = dialog;  // sampled like any other window while it is open
        CenterWindowOnScreen(dialog);
        SetWindowTextA(dialog, kChooserTitle);
        SendMessageA(dialog, WM_SETICON, ICON_BIG,
                     reinterpret_cast<LPARAM>(LoadIconA(app.instance, MAKEINTRESOURCEA(IDI_APP))));
    }
    return 0;
}

void ChooseMemoColor(int slot) {
    const auto chooseColor = SystemFunction<ChooseColorFunction>(kDialogLibrary, kChooseColorName);
    if (!chooseColor) return;
    CHOOSECOLORA& params = app.chooseColorParams;
    params = {};
    params.lStructSize = sizeof params;
    params.hwndOwner = app.mainWindow;
    params.rgbResult = app.memoColors[slot].load();
    params.lpCustColors = app.customColors;
    params.Flags = kChooserFlags;
    params.lpfnHook = ChooserHookProc;
    app.ownDialog = nullptr;
    const BOOL chosen = chooseColor(&params);
    app.ownDialog = nullptr;
    if (chosen) {
        SetMemo(slot, params.rgbResult);
        MakeReference(slot);
    }
}

}  // namespace tintora
