// Where the settings live and what survives trouble: a folder name the code page cannot spell,
// a read-only program folder, a settings file held at start-up, an exit right after a memo
// hotkey, a memo copied with web-safe rounding on, a capture without its bitmap.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <cstdlib>
#include <string>

#include "harness.h"
#include "program_files.h"
#include "resources/resource_ids.h"
#include "sampling/pixel_capture.h"

namespace {

using namespace e2e;

constexpr COLORREF kColor = RGB(30, 140, 220);
constexpr char kPlaced[] = "[options]\r\nx=500\r\ny=400\r\n";
constexpr POINT kPlacedAt{500, 400};
const char kSentinel[] = "before the copy";

std::string MemoLine(int slot, unsigned long value) {
    return "memo" + std::to_string(slot + 1) + "=" + std::to_string(value) + "\r\n";
}

bool FileHolds(const std::wstring& path, const std::string& text) {
    return WaitFor([&] { return ReadWideFile(path).find(text) != std::string::npos; });
}

bool PlacedAt(HWND window, POINT at) {
    return WaitFor([&] {
        const RECT r = WindowRect(window);
        return r.left == at.x && r.top == at.y;
    });
}

// Stores the fixture's colour in memo slot `slot` with its hotkey.
void StoreFixtureColor(HWND window, int slot) {
    MoveCursor(kX, kY);
    WaitFor([&] { return WindowText(GetDlgItem(window, IDC_INFO)).rfind("Pixel at 700:600", 0) == 0; });
    SendKeys({VK_CONTROL, VK_MENU, static_cast<WORD>('1' + slot)});
}

std::wstring UserIniFolder() {
    wchar_t appData[MAX_PATH];
    SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, appData);
    return std::wstring(appData) + L"\\Tintora";
}

TEST(SettingsFolder, NameOutsideTheCodePageKeepsEveryKeyAndNothingGoesToTheUser) {
    ColorWindow fixture(kFixture, kColor);
    WideFolder folder(TempFolderW() + L"\u0426\u0432\u0435\u0442-" + std::to_wstring(GetCurrentProcessId()));
    folder.Fill(kPlaced);
    const Program program(folder.exe());
    ASSERT_NE(program.window(), nullptr);
    EXPECT_TRUE(PlacedAt(program.window(), kPlacedAt));
    StoreFixtureColor(program.window(), 2);
    EXPECT_TRUE(FileHolds(folder.ini(), MemoLine(2, kColor)));
    EXPECT_EQ(GetFileAttributesW(UserIniFolder().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(SettingsFolder, ReadOnlyFolderKeepsTheSettingsInTheUsersOwnFileSeededFromBeside) {
    // Mounting from Linux leaves this process unable to open the clipboard under Wine, which
    // other tests need: this one runs in a process of its own, by a test entry of its own.
    if (!std::getenv("TINTORA_MOUNT_TEST")) GTEST_SKIP() << "run by the test entry e2e.read_only_folder";
    ColorWindow fixture(kFixture, kColor);
    const std::wstring userIni = UserIniFolder() + L"\\tintora.ini";
    ReadOnlyFolder folder(kPlaced);
    ASSERT_TRUE(folder.ready());
    {
        const Program program(folder.exe());
        ASSERT_NE(program.window(), nullptr);
        EXPECT_TRUE(PlacedAt(program.window(), kPlacedAt));
        EXPECT_TRUE(FileHolds(userIni, "[options]\r\nx=500\r\ny=400\r\nmemo1=16777215\r\n"));
        StoreFixtureColor(program.window(), 2);
        EXPECT_TRUE(FileHolds(userIni, MemoLine(2, kColor)));
        PostMessageA(program.window(), WM_COMMAND, IDC_EXIT, 0);
        EXPECT_TRUE(program.WaitForExit());
    }
    EXPECT_EQ(ReadWideFile(folder.ini()), kPlaced);
    const Program again(folder.exe());
    ASSERT_NE(again.window(), nullptr);
    const RECT swatch = WindowRect(GetDlgItem(again.window(), IDC_MEMO_FIRST + 2));
    EXPECT_TRUE(WaitFor([&] { return ScreenPixel(swatch.right - 4, swatch.bottom - 4) == kColor; }));
    PostMessageA(again.window(), WM_COMMAND, IDC_EXIT, 0);
    EXPECT_TRUE(again.WaitForExit());
    DeleteFileW(userIni.c_str());
    RemoveDirectoryW(UserIniFolder().c_str());
}

// Another program (a sync or scanning tool) has the file open without sharing while the picker
// starts: the memo colours it could not read are not written back over the file's.
TEST(SettingsFile, HeldWhileStartingLosesNoMemo) {
    ColorWindow fixture(kFixture, kColor);
    Sandbox sandbox("[options]\r\nmemo1=1\r\nmemo2=2\r\nmemo3=3\r\nmemo4=4\r\nmemo5=5\r\nmemo6=6\r\n");
    constexpr DWORD kHeldMs = 1500;
    const HANDLE held = CreateFileA(sandbox.iniPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Program program(sandbox, false);
    Sleep(kHeldMs);
    CloseHandle(held);
    HWND window = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (window = FindMainWindow(program.pid())) != nullptr; }, 10000));
    StoreFixtureColor(window, 0);
    ASSERT_TRUE(FileHolds(Widen(sandbox.iniPath()), MemoLine(0, kColor)));
    for (int slot = 1; slot < 6; ++slot) EXPECT_NE(sandbox.ReadIni().find(MemoLine(slot, slot + 1)), std::string::npos) << slot;
}

TEST(SettingsFile, ExitRightAfterAMemoHotkeyKeepsTheMemo) {
    Sandbox sandbox("[options]\r\nmemo3=1\r\n");
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    const POINT exit = Centre(program.control(IDC_EXIT));
    MoveCursor(exit.x, exit.y);
    ASSERT_TRUE(WaitFor([&] { return program.InfoText().find("Ctrl+Alt+C") != std::string::npos; }));
    SendKeys({VK_CONTROL, VK_MENU, '3'});
    Press(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(program.WaitForExit(5000));
    EXPECT_EQ(sandbox.ReadIni().find(MemoLine(2, 1)), std::string::npos) << sandbox.ReadIni();
}

// With web-safe rounding on, a cursor resting on a colour that is not web-safe is no change, so
// the copy key repeats what a memo click copied.
TEST(SettingsFile, MemoClickWithWebSafeRoundingIsRepeatedByTheCopyKey) {
    Sandbox sandbox("[options]\r\nweb=1\r\nmemo2=1193046\r\n");  // 0x123456, not web-safe
    constexpr char kMemoText[] = "563412";
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    const RECT swatch = WindowRect(program.control(IDC_MEMO_FIRST + 1));
    MoveCursor(swatch.right - 4, swatch.bottom - 4);
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(swatch.right - 4, swatch.bottom - 4) == 0x123456; }));
    Sleep(300);  // the sampler settles on the swatch
    PutClipboardText(kSentinel);
    Press(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(WaitFor([&] { return ClipboardText(CF_TEXT) == kMemoText; }, 5000, 50)) << ClipboardText(CF_TEXT);
    Sleep(300);  // several sampler cycles over the unchanged swatch
    PutClipboardText(kSentinel);
    SendKeys({VK_CONTROL, VK_MENU, 'C'});
    EXPECT_TRUE(WaitFor([&] { return ClipboardText(CF_TEXT) == kMemoText; }, 5000, 50)) << ClipboardText(CF_TEXT);
}

HBITMAP WINAPI NoBitmap(HDC, int, int) { return nullptr; }

TEST(Capture, WithoutItsBitmapGivesNoColourRatherThanBlackOrWhite) {
    ColorWindow fixture(kFixture, kColor);
    const HDC screen = GetDC(nullptr);
    EXPECT_EQ(tintora::CapturePixel(screen, {kX, kY}), kColor);
    EXPECT_EQ(tintora::CapturePixel(screen, {kX, kY}, NoBitmap), CLR_INVALID);
    ReleaseDC(nullptr, screen);
}

}  // namespace
