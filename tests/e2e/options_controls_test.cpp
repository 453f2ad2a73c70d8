// The options dialog as the program shows it: topmost, modal, and the order Tab takes its fields
// in. Its controls are checked in the built template by the host's resource test.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

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
}

}  // namespace
