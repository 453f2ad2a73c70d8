// The options dialog's template as the program carries it, and the dialog it makes.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "harness.h"
#include "ui_helpers.h"

namespace {

using namespace e2e;

constexpr int kOptionsDialog = 2;
constexpr int kOptionsButton = 108;
constexpr WORD kButton = 0x80, kEdit = 0x81, kStatic = 0x82, kComboBox = 0x85;
constexpr DWORD kVisibleChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kField = kVisibleChild | WS_BORDER | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL;
constexpr DWORD kSpin = kVisibleChild | UDS_AUTOBUDDY | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
constexpr DWORD kFlatBox = kVisibleChild | BS_AUTOCHECKBOX | BS_FLAT;
constexpr DWORD kLabel = kVisibleChild | SS_LEFT;
constexpr DWORD kLine = kVisibleChild | WS_DISABLED | SS_ETCHEDHORZ;

// A class is either a predefined atom or a name.
struct Item {
    int id;
    WORD atom;
    const char* className;
    const char* text;
    DWORD style;
    short x, y, cx, cy;
};

const Item kItems[] = {
    {IDOK, kButton, nullptr, "Save", kVisibleChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 58, 91, 45, 16},
    {-1, kButton, nullptr, "", kVisibleChild | BS_GROUPBOX, 2, -2, 203, 90},
    {-1, kStatic, nullptr, "Zoom rate:", kLabel, 6, 8, 48, 12},
    {201, kEdit, nullptr, "", kField, 50, 6, 32, 13},
    {203, 0, "msctls_updown32", "", kSpin, 0, 0, 0, 0},
    {-1, kStatic, nullptr, "String format:", kLabel, 90, 9, 48, 12},
    {205, kComboBox, nullptr, "",
     kVisibleChild | CBS_DROPDOWN | CBS_AUTOHSCROLL | CBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 137, 6,
     64, 56},
    {-1, kStatic, nullptr, "Update rate:", kLabel, 6, 23, 48, 12},
    {202, kEdit, nullptr, "", kField, 50, 21, 32, 13},
    {204, 0, "msctls_updown32", "", kSpin, 0, 0, 0, 0},
    {200, kButton, nullptr, "Capture transparent windows", kFlatBox, 90, 20, 110, 12},
    {-1, kStatic, nullptr, "", kLine, 5, 37, 199, 1},
    {-1, kStatic, nullptr, "Hotkey for copying color:", kLabel, 5, 43, 100, 12},
    {212, 0, "msctls_hotkey32", "", kVisibleChild | WS_BORDER, 90, 41, 82, 12},
    {211, kButton, nullptr, "Win", kFlatBox, 175, 41, 25, 12},
    {-1, kStatic, nullptr, "", kLine, 5, 56, 199, 1},
    {206, kButton, nullptr, "Shift from cursor", kFlatBox, 6, 60, 67, 12},
    {308, kStatic, nullptr, "ShiftX:", kLabel, 84, 62, 48, 12},
    {208, kEdit, nullptr, "", kField, 108, 60, 32, 13},
    {207, 0, "msctls_updown32", "", kSpin, 0, 0, 0, 0},
    {310, kStatic, nullptr, "ShiftY:", kLabel, 145, 62, 30, 12},
    {210, kEdit, nullptr, "", kField, 169, 60, 32, 13},
    {209, 0, "msctls_updown32", "", kSpin, 0, 0, 0, 0},
    {213, kButton, nullptr, "Automatically adjust to Web-Safe colors", kFlatBox, 6, 74, 180, 12},
    {IDCANCEL, kButton, nullptr, "Cancel", kVisibleChild | BS_PUSHBUTTON | WS_TABSTOP, 105, 91, 45, 16},
};

// Reads a classic dialog template: WORDs, strings in UTF-16, items on DWORD boundaries.
class TemplateReader {
public:
    explicit TemplateReader(const BYTE* data) : base_(data), at_(data) {}
    template <class T> T Take() {
        T value;
        std::memcpy(&value, at_, sizeof value);
        at_ += sizeof value;
        return value;
    }
    // A name or, after 0xFFFF, an ordinal (returned in ordinal, with an empty name).
    std::string NameOrOrdinal(WORD* ordinal = nullptr) {
        if (ordinal) *ordinal = 0;
        if (Peek() == 0xFFFF) {
            Take<WORD>();
            const WORD value = Take<WORD>();
            if (ordinal) *ordinal = value;
            return {};
        }
        std::string text;
        for (WORD c; (c = Take<WORD>()) != 0;) text += static_cast<char>(c);
        return text;
    }
    void AlignToDword() { at_ = base_ + ((at_ - base_ + 3) & ~3); }
    void Skip(std::size_t bytes) { at_ += bytes; }

private:
    WORD Peek() const {
        WORD value;
        std::memcpy(&value, at_, sizeof value);
        return value;
    }
    const BYTE* base_;
    const BYTE* at_;
};

TEST(OptionsTemplate, HoldsTheDialogAsDesigned) {
    Sandbox sandbox;
    const HMODULE module = LoadLibraryExA(sandbox.exePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(kOptionsDialog), MAKEINTRESOURCEA(5));
    ASSERT_NE(found, nullptr);
    TemplateReader t(static_cast<const BYTE*>(LockResource(LoadResource(module, found))));

    EXPECT_EQ(t.Take<DWORD>(), DWORD{DS_SYSMODAL | DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION |
                                     WS_SYSMENU});
    EXPECT_EQ(t.Take<DWORD>(), 0u);  // the modal frame comes from the style
    const WORD count = t.Take<WORD>();
    ASSERT_EQ(count, std::size(kItems));
    EXPECT_EQ(t.Take<short>(), 0);
    EXPECT_EQ(t.Take<short>(), 0);
    EXPECT_EQ(t.Take<short>(), 208);
    EXPECT_EQ(t.Take<short>(), 109);
    EXPECT_EQ(t.NameOrOrdinal(), "");  // no menu
    EXPECT_EQ(t.NameOrOrdinal(), "");  // the dialog class
    EXPECT_EQ(t.NameOrOrdinal(), "Tintora - Options");
    EXPECT_EQ(t.Take<WORD>(), 8);
    EXPECT_EQ(t.NameOrOrdinal(), "Arial");

    for (const Item& expected : kItems) {
        SCOPED_TRACE(testing::Message() << "control " << expected.id << " " << expected.text);
        t.AlignToDword();
        EXPECT_EQ(t.Take<DWORD>(), expected.style);
        EXPECT_EQ(t.Take<DWORD>(), 0u);
        EXPECT_EQ(t.Take<short>(), expected.x);
        EXPECT_EQ(t.Take<short>(), expected.y);
        EXPECT_EQ(t.Take<short>(), expected.cx);
        EXPECT_EQ(t.Take<short>(), expected.cy);
        EXPECT_EQ(static_cast<short>(t.Take<WORD>()), expected.id);
        WORD atom = 0;
        const std::string className = t.NameOrOrdinal(&atom);
        EXPECT_EQ(atom, expected.atom);
        if (expected.className) {
            EXPECT_STRCASEEQ(className.c_str(), expected.className);
        }
        EXPECT_EQ(t.NameOrOrdinal(), expected.text);
        t.Skip(t.Take<WORD>());  // creation data
    }
    FreeLibrary(module);
}

TEST(OptionsTemplate, LiveDialogIsTopmostWithItsControlsAndTabOrder) {
    Sandbox sandbox("[options]\r\nx=300\r\ny=300\r\nuseshift=1\r\n");  // the shift fields enabled
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    ClickControl(program.control(kOptionsButton));
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (dialog = FindOwnedDialog(program.window())) != nullptr; }));

    EXPECT_EQ(WindowText(dialog), "Tintora - Options");
    const LONG style = GetWindowLongA(dialog, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), WS_CAPTION | WS_SYSMENU);
    const LONG exStyle = GetWindowLongA(dialog, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
    EXPECT_FALSE(IsWindowEnabled(program.window()));  // modal

    const char* const atomNames[] = {"Button", "Edit", "Static", "", "", "ComboBox"};
    for (const Item& item : kItems) {
        if (item.id == -1) continue;
        const HWND control = GetDlgItem(dialog, item.id);
        ASSERT_NE(control, nullptr) << item.id;
        EXPECT_TRUE(IsWindowVisible(control)) << item.id;
        const char* name = item.className ? item.className : atomNames[item.atom - kButton];
        EXPECT_STRCASEEQ(ClassName(control).c_str(), name) << item.id;
    }
    const struct {
        int spin, buddy;
    } buddies[] = {{203, 201}, {204, 202}, {207, 208}, {209, 210}};
    for (const auto& b : buddies) {
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(GetDlgItem(dialog, b.spin), UDM_GETBUDDY, 0, 0)),
                  GetDlgItem(dialog, b.buddy))
            << b.spin;
    }

    const int tabOrder[] = {IDOK, 201, 205, 202, 208, 210, IDCANCEL, IDOK};
    for (std::size_t i = 0; i + 1 < std::size(tabOrder); ++i) {
        EXPECT_EQ(GetNextDlgTabItem(dialog, GetDlgItem(dialog, tabOrder[i]), FALSE),
                  GetDlgItem(dialog, tabOrder[i + 1]))
            << "after " << tabOrder[i];
    }
}

}  // namespace
