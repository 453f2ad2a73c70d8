// The options dialog as the program shows it: topmost, modal, the order Tab takes its fields in,
// every control inside it. Its controls are checked in the built template by the host's resource test.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "harness.h"
#include "resources/resource_ids.h"
#include "ui_helpers.h"

namespace {

using namespace e2e;

TEST(OptionsControls, LiveDialogIsTopmostModalAndTabsThroughItsFields) {
    Sandbox sandbox("[options]\r\nx=300\r\ny=300\r\nuseshift=1\r\n");  // the shift fields enabled
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    ClickControl(program.control(IDC_OPTIONS));
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (dialog = FindOwnedDialog(program.window())) != nullptr; }));

    EXPECT_EQ(WindowText(dialog), "Tintora - Options");
    const LONG style = GetWindowLongA(dialog, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), WS_CAPTION | WS_SYSMENU);
    const LONG exStyle = GetWindowLongA(dialog, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
    EXPECT_FALSE(IsWindowEnabled(program.window()));  // modal

    const int tabOrder[] = {IDOK, 201, 205, 202, 208, 210, 214, IDCANCEL, IDOK};
    for (std::size_t i = 0; i + 1 < std::size(tabOrder); ++i) {
        EXPECT_EQ(GetNextDlgTabItem(dialog, GetDlgItem(dialog, tabOrder[i]), FALSE),
                  GetDlgItem(dialog, tabOrder[i + 1]))
            << "after " << tabOrder[i];
    }
    // Every control lies inside the dialog's client area.
    RECT client;
    GetClientRect(dialog, &client);
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
    std::vector<HWND> controls;
    EnumChildWindows(dialog, [](HWND child, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&controls));
    ASSERT_FALSE(controls.empty());
    for (const HWND control : controls) {
        const RECT r = WindowRect(control);
        EXPECT_TRUE(r.left >= client.left && r.top >= client.top && r.right <= client.right && r.bottom <= client.bottom)
            << GetDlgCtrlID(control);
    }
}

}  // namespace
