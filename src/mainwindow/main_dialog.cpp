#include "mainwindow/main_dialog.h"

#include "app/app_state.h"
#include "app/dpi_scale.h"
#include "app/window_drag.h"
#include "magnifier/magnifier.h"
#include "mainwindow/about_box.h"
#include "mainwindow/tray_icon.h"
#include "mainwindow/window_placement.h"
#include "mainwindow/window_keys.h"
#include "mainwindow/window_scale.h"
#include "memos/clipboard_copy.h"
#include "memos/contrast_swatch.h"
#include "memos/control_subclass.h"
#include "memos/memo_swatches.h"
#include "memos/memo_thread.h"
#include "resources/resource_ids.h"
#include "sampling/sampler_thread.h"
#include "settings/copy_hotkey.h"
#include "settings/options_dialog.h"
#include "settings/settings_load.h"
#include "settings/settings_writer.h"

namespace tintora {

namespace {

constexpr char kTaskbarCreated[] = "TaskbarCreated";

// A dragged window closer than this to a work-area edge lands on it.
constexpr unsigned kSnapDistance = 5;

void AddDropShadow(HWND window) {
    const DWORD style = GetClassLongA(window, GCL_STYLE);
    SetClassLongA(window, GCL_STYLE, static_cast<LONG>(style | CS_DROPSHADOW));
}

void StartUp(HWND window) {
    app.taskbarCreatedMsg = RegisterWindowMessageA(kTaskbarCreated);
    app.mainWindow = window;
    app.windowShown = 1;
    FillTrayIconData(window);
    AddDropShadow(window);
    LoadSettingsFile();
    LoadCopyHotkey();
    RegisterCopyHotkeyAtStartUp();
    RegisterMemoHotkeys(window);
    app.previewControl = GetDlgItem(window, IDC_PREVIEW);
    SubclassPreview(app.previewControl);
    SendMessageA(window, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconA(app.instance, MAKEINTRESOURCEA(IDI_APP))));
    PrepareScaling(window);  // the readout font and the button pictures for the window's DPI
    SubclassControls(window);
    LoadRemainingSettings();

    // Magnifier and placement: the view needs the loaded rates; the position is restored for
    // the narrow window, before the magnifier may widen it.
    OpenMagnifierView(window);
    FitWindowToPanel(nullptr);
    RestoreWindowPosition(window);
    if (ReadZoomSetting() != 0) ToggleMagnifier();

    // The template asks for a system-modal window, which Windows keeps on top; make sure of it.
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

// The worker threads start once the window is on screen. Creating a thread is costly where the
// program starts up, so starting them earlier only delays the window, and until it shows nobody
// sees a readout nor a swatch. They start once, however often the request comes.
void StartWorkers(HWND window) {
    if (app.workersStarted) return;
    app.workersStarted = 1;
    CreateThread(nullptr, 0, SamplerThread, window, 0, nullptr);
    CreateThread(nullptr, 0, MemoThread, window, 0, nullptr);
}

// Posted, the request is taken after the show has finished.
void OnShowWindow(HWND window, WPARAM shown) {
    if (!shown || app.workersStarted) return;
    if (!PostMessageA(window, kStartWorkersMessage, 0, 0)) StartWorkers(window);
}

// Activated in any way (start-up, a click, Alt+Tab, back from the tray), the window takes the
// keyboard focus itself: without a desktop's manager, keys typed on the keyboard reach it only
// then. Under Wine the X server often does not take a focus given while the activation is still
// under way, so it is given again a few times over the next moments, each time through nothing
// first: only a change of the focus reaches the X server.
constexpr UINT_PTR kRefocusTimer = 2;  // timer 1 is the magnifier's
constexpr UINT kFirstRefocusMs = 50;
constexpr int kRefocusTimes = 5;  // after 50, 100, 200, 400 and 800 ms
int refocusesLeft;                // UI thread only

void CALLBACK RefocusTimerProc(HWND window, UINT, UINT_PTR, DWORD) {
    KillTimer(window, kRefocusTimer);
    if (GetActiveWindow() != window) return;
    SetFocus(nullptr);
    SetFocus(window);
    if (--refocusesLeft > 0) {
        SetTimer(window, kRefocusTimer, kFirstRefocusMs << (kRefocusTimes - refocusesLeft), RefocusTimerProc);
    }
}

void TakeFocus(HWND window) {
    SetFocus(window);
    refocusesLeft = kRefocusTimes;
    SetTimer(window, kRefocusTimer, kFirstRefocusMs, RefocusTimerProc);
}

// The brush that paints the preview or a memo swatch; 0 leaves other statics to the default.
INT_PTR SwatchBrush(HWND control) {
    if (control == app.previewControl) return reinterpret_cast<INT_PTR>(app.previewBrush.load());
    const int id = GetDlgCtrlID(control);
    if (IsMemoId(id)) {
        return reinterpret_cast<INT_PTR>(app.memoBrushes[id - IDC_MEMO_FIRST].load());
    }
    return 0;
}

void OnCommand(HWND window, WPARAM command) {
    switch (command) {
    case IDC_EXIT:
        SaveWindowPosition(window);
        SavePendingMemos();  // the process ends without waiting for the memo thread
        WritePendingSettingsAtExit();
        EndDialog(window, 0);
        break;
    case IDC_HIDE:  // also Esc, which the dialog manager turns into this command
        HideToTray(window);
        break;
    case IDC_ABOUT:
        ShowAboutBox(window);
        break;
    case IDC_ZOOM:
        ToggleMagnifier();
        break;
    case IDC_OPTIONS:
        RunOptionsDialog();
        RestartMagnifierTimer();  // the update rate may have changed
        break;
    default:
        break;
    }
}

// The file's values, read late after a held file, applied where they show. While the options
// dialog is open they wait for it to close: its Save writes only what the user changed there,
// not the values it was opened with over the ones that arrived.
void OnSettingsArrived(HWND window) {
    if (app.optionsShown) return;
    const int updateMs = app.zoomUpdateMs;
    const std::uint32_t hotkey = app.copyHotkey.load();
    ArrivedSettings arrived;
    if (!TakeArrivedSettings(&arrived)) return;
    if (app.zoomShown && app.zoomUpdateMs != updateMs) RestartMagnifierTimer();
    if (app.copyHotkey.load() != hotkey) ReplaceCopyHotkey(window, app.copyHotkey.load(), MB_OK);
    if (arrived.place) RestoreWindowPosition(window);
    if (arrived.zoomShown != (app.zoomShown != 0)) ToggleMagnifier();
}

void OnHotkey(WPARAM id) {
    if (app.windowShown.load() != 1) return;
    if (id == kCopyHotkeyId) {
        CopyColorToClipboard();
    } else if (IsMemoId(static_cast<int>(id))) {
        StoreCurrentColorInMemo(static_cast<int>(id) - IDC_MEMO_FIRST);
    }
}

}  // namespace

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        StartUp(window);
        return 0;  // the focus stays on the window itself, below
    // None of the window's statics takes keys: the window keeps the focus itself, rather than
    // have the dialog manager hand it to a static, so that its own keys reach it.
    case WM_SETFOCUS:
        return 1;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) TakeFocus(window);
        return 1;
    case WM_GETDLGCODE:
        SetWindowLongPtrA(window, DWLP_MSGRESULT, kMainWindowDialogCode);
        return 1;
    case WM_KEYDOWN:
        return OnMainWindowKey(wParam) ? 1 : 0;
    case WM_MOUSEWHEEL:
        OnMainWindowWheel(window, wParam, lParam);
        return 1;
    case WM_COMMAND:
        OnCommand(window, wParam);  // the whole wParam: only clicks, with a zero high word, act
        return 1;
    case WM_MOVING:
        app.windowMoved = 1;
        if (lParam) {
            SnapToWorkArea(window, reinterpret_cast<RECT*>(lParam), ScaleToDpi(kSnapDistance, app.windowDpi));
        }
        return 1;
    case WM_DPICHANGED:
        OnDpiChanged(window, wParam, lParam);
        return 1;
    case WM_LBUTTONDOWN:
        BeginWindowDrag(window);
        return 1;
    case WM_CLOSE:
        HideToTray(window);
        return 1;
    case kTrayNotifyMessage:
        OnTrayNotify(window, wParam, lParam);
        return 1;
    case WM_CTLCOLORSTATIC:
        return SwatchBrush(reinterpret_cast<HWND>(lParam));
    case WM_HOTKEY:
        OnHotkey(wParam);
        return 1;
    case kDeleteReplacedBrushMessage:
        DeleteObject(reinterpret_cast<HBRUSH>(wParam));
        return 1;
    case WM_SHOWWINDOW:
        OnShowWindow(window, wParam);
        return 0;
    case kSettingsArrivedMessage:
        OnSettingsArrived(window);
        return 1;
    case kStartWorkersMessage:
        StartWorkers(window);
        return 1;
    default:
        // Zero until start-up registers it, or when registering failed: never WM_NULL.
        if (app.taskbarCreatedMsg != 0 && message == app.taskbarCreatedMsg) {
            OnTaskbarCreated();
            return 1;
        }
        return 0;
    }
}

}  // namespace tintora
