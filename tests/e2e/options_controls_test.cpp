// The options dialog as the program makes it: topmost, modal, its controls and their tab order.
// The template itself is checked from the built file by the host's resource test.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "harness.h"
#include "resources/resource_ids.h"
#include "ui_helpers.h"

namespace {

using namespace e2e;


TEST(OptionsControls, LiveDialogIsTopmostWithItsControlsAndTabOrder) {
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

    const struct {
        int id;
        const char* className;
    } controls[] = {
        {IDOK, "Button"},     {201, "Edit"},   {203, "msctls_updown32"}, {205, "ComboBox"},
        {202, "Edit"},        {204, "msctls_updown32"},                  {200, "Button"},
        {212, "msctls_hotkey32"},              {211, "Button"},          {206, "Button"},
        {308, "Static"},      {208, "Edit"},   {207, "msctls_updown32"}, {310, "Static"},
        {210, "Edit"},        {209, "msctls_updown32"},                  {213, "Button"},
        {214, "Edit"},        {215, "msctls_updown32"},                  {216, "Button"},
        {IDCANCEL, "Button"},
    };
    for (const auto& c : controls) {
        const HWND control = GetDlgItem(dialog, c.id);
        ASSERT_NE(control, nullptr) << c.id;
        EXPECT_TRUE(IsWindowVisible(control)) << c.id;
        EXPECT_STRCASEEQ(ClassName(control).c_str(), c.className) << c.id;
    }
    const struct {
        int spin, buddy;
    } buddies[] = {{203, 201}, {204, 202}, {207, 208}, {209, 210}, {215, 214}};
    for (const auto& b : buddies) {
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(GetDlgItem(dialog, b.spin), UDM_GETBUDDY, 0, 0)),
                  GetDlgItem(dialog, b.buddy))
            << b.spin;
    }

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
    for (const auto& c : controls) {
        const RECT r = WindowRect(GetDlgItem(dialog, c.id));
        EXPECT_TRUE(r.left >= client.left && r.top >= client.top && r.right <= client.right && r.bottom <= client.bottom)
            << c.id;
    }
}

}  // namespace
