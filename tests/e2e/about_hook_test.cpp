// The About box's hook, in this process: it must never outlive the box it was set for.
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "mainwindow/about_box.h"

namespace {

using tintora::app;

// A hook of the test's own that refuses every new window of the thread, so no box can be shown.
LRESULT CALLBACK RefuseWindows(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

HWND NewPopup(const char* text, DWORD style) {
    return CreateWindowExA(0, "Static", text, WS_POPUP | style, 700, 700, 80, 40, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

TEST(AboutHook, ABoxThatCouldNotBeShownLeavesNoHookForTheNextWindow) {
    const HWND owner = NewPopup("owner", WS_VISIBLE);
    ASSERT_NE(owner, nullptr);
    app.instance = GetModuleHandleA(nullptr);
    app.windowShown = 1;

    const HHOOK refuse = SetWindowsHookExA(WH_CBT, RefuseWindows, nullptr, GetCurrentThreadId());
    ASSERT_NE(refuse, nullptr);
    tintora::ShowAboutBox(owner);
    UnhookWindowsHookEx(refuse);
    EXPECT_TRUE(IsWindowEnabled(owner));

    // An unrelated window activated later keeps its own procedure.
    const HWND later = NewPopup("later", 0);
    ASSERT_NE(later, nullptr);
    const LONG_PTR procedure = GetWindowLongPtrA(later, GWLP_WNDPROC);
    ShowWindow(later, SW_SHOW);
    SetActiveWindow(later);
    EXPECT_EQ(GetWindowLongPtrA(later, GWLP_WNDPROC), procedure);
    EXPECT_EQ(app.ownDialog.load(), nullptr);

    DestroyWindow(later);
    DestroyWindow(owner);
}

}  // namespace
