#include "memos/control_subclass.h"

#include "app/app_state.h"
#include "memos/clipboard_copy.h"
#include "memos/color_chooser.h"
#include "memos/memo_swatches.h"
#include "resources/resource_ids.h"

namespace tintora {

namespace {

constexpr int kSubclassedControls[] = {IDC_EXIT, IDC_ABOUT, IDC_OPTIONS, IDC_HIDE, IDC_ZOOM,
                                       200, 201, 202, 203, 204, 205};

void TrackLeave(HWND control) {
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = control;
    TrackMouseEvent(&track);
}

// The memo swatch actions; ids of other controls do nothing here.
void MemoAction(int id, UINT message, WPARAM keys) {
    if (!IsMemoId(id)) return;
    const int slot = id - IDC_MEMO_FIRST;
    switch (message) {
    case WM_LBUTTONDOWN:
        if (keys & MK_SHIFT) CopyPaletteToClipboard();
        else CopyMemoColor(slot);
        break;
    case WM_RBUTTONUP: ChooseMemoColor(slot); break;
    case WM_MBUTTONDOWN: ResetMemo(slot); break;
    default: break;
    }
}

}  // namespace

void SubclassControls(HWND window) {
    for (int id : kSubclassedControls) {
        const HWND control = GetDlgItem(window, id);
        const LONG_PTR previous =
            SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlSubclassProc));
        SetWindowLongPtrA(control, GWLP_USERDATA, previous);
    }
}

LRESULT CALLBACK ControlSubclassProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
        SetCursor(LoadCursorA(nullptr, IDC_HAND));
        TrackLeave(control);
        break;
    case WM_MOUSELEAVE:
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
        MemoAction(GetDlgCtrlID(control), message, wParam);
        break;
    default:
        break;
    }
    const auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_USERDATA));
    return CallWindowProcA(previous, control, message, wParam, lParam);
}

}  // namespace tintora
