// Where the settings live and what survives trouble: a folder name the code page cannot spell,
// a read-only program folder, a settings file held at start-up, an exit right after a memo
// hotkey, a memo copied with web-safe rounding on, a capture without its bitmap.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <cstdlib>
#include <string>
#include <utility>

#include "harness.h"
#include "program_files.h"
#include "ui_helpers.h"
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
    ReadoutAt(window, kX, kY);
    SendKeys({VK_CONTROL, VK_MENU, static_cast<WORD>('1' + slot)});
}

bool SwatchShows(HWND window, int slot, COLORREF color) {
    const RECT swatch = WindowRect(GetDlgItem(window, IDC_MEMO_FIRST + slot));
    return WaitFor([&] { return ScreenPixel(swatch.right - 4, swatch.bottom - 4) == color; });
}

void ExitProgram(const Program& program) {
    PostMessageA(program.window(), WM_COMMAND, IDC_EXIT, 0);
    EXPECT_TRUE(program.WaitForExit());
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
        ExitProgram(program);
    }
    EXPECT_EQ(ReadWideFile(folder.ini()), kPlaced);
    const Program again(folder.exe());
    ASSERT_NE(again.window(), nullptr);
    EXPECT_TRUE(SwatchShows(again.window(), 2, kColor));
    ExitProgram(again);
    DeleteFileW(userIni.c_str());
    RemoveDirectoryW(UserIniFolder().c_str());
}

// WM_GETTEXT: GetWindowText on another process's control gives only its creation text.
std::string FieldText(HWND dialog, int id) {
    char buffer[256] = "";
    SendMessageA(GetDlgItem(dialog, id), WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

HWND OpenOptions(HWND window) {
    PostMessageA(window, WM_COMMAND, IDC_OPTIONS, 0);
    HWND options = nullptr;
    WaitFor([&] { return (options = FindOwnedDialog(window)) != nullptr; });
    return options;
}

// Another program (a sync or scanning tool) has the file open without sharing from before the
// picker starts until it has run a while: then the file's values take over, the window moves to
// its saved place, and nothing the user did not change is written over the file's values.
TEST(SettingsFile, HeldWhileStartingTakesTheFilesValuesOnceFree) {
    constexpr DWORD kHeldAfterStartMs = 3000;
    ColorWindow fixture(kFixture, kColor);
    const std::string saved = std::string(kPlaced) + "format=#R-G\r\nzoomrate=8\r\nshiftx=3\r\n"
                              "memo1=1\r\nmemo2=2\r\nmemo3=3\r\nmemo4=4\r\nmemo5=5\r\nmemo6=6\r\n";
    Sandbox sandbox(saved);
    const HANDLE held = CreateFileA(sandbox.iniPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    Sleep(kHeldAfterStartMs);
    StoreFixtureColor(program.window(), 0);
    CloseHandle(held);
    EXPECT_TRUE(PlacedAt(program.window(), kPlacedAt));
    const HWND options = OpenOptions(program.window());
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(FieldText(options, IDC_OPT_FORMAT), "#R-G");
    EXPECT_EQ(FieldText(options, IDC_OPT_ZOOM_RATE), "8");
    PostMessageA(options, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(options); }));
    PostMessageA(program.window(), WM_COMMAND, IDC_EXIT, 0);
    ASSERT_TRUE(program.WaitForExit());
    const std::string ini = sandbox.ReadIni();
    const std::pair<const char*, std::string> values[] = {
        {"x", "500"}, {"y", "400"}, {"format", "#R-G"}, {"zoomrate", "8"}, {"shiftx", "3"},
        {"memo1", std::to_string(kColor)}, {"memo2", "2"}, {"memo6", "6"},
    };
    for (const auto& [key, value] : values) EXPECT_EQ(IniValue(ini, key), value) << key << "\n" << ini;
}

// Notepad's "Unicode": UTF-16 with its byte-order mark. Read, and written back the same way.
TEST(SettingsFile, UnicodeFileIsReadAndStaysUnicode) {
    auto utf16 = [](const std::string& ascii) {
        std::string out = "\xFF\xFE";
        for (const char c : ascii) out += {c, '\0'};
        return out;
    };
    ColorWindow fixture(kFixture, kColor);
    Sandbox sandbox(utf16(kPlaced));
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    EXPECT_TRUE(PlacedAt(program.window(), kPlacedAt));
    StoreFixtureColor(program.window(), 2);
    std::string after = kPlaced;
    for (int slot = 0; slot < 6; ++slot) after += MemoLine(slot, slot == 2 ? kColor : 0xFFFFFF);
    EXPECT_TRUE(WaitFor([&] { return sandbox.ReadIni() == utf16(after); })) << sandbox.ReadIni();
}

// Saving while another program holds the file does not keep the dialog waiting; the values
// land once the file is free.
TEST(SettingsFile, OptionsSavedWhileTheFileIsHeldCloseAtOnceAndLandLater) {
    constexpr ULONGLONG kCloseMs = 500;
    constexpr DWORD kHeldMs = 1000;
    constexpr char kFormat[] = "held #RGB";
    Sandbox sandbox(kPlaced);
    Program program(sandbox);
    ASSERT_NE(program.window(), nullptr);
    ASSERT_TRUE(sandbox.WaitForMemoKeys());
    const HWND options = OpenOptions(program.window());
    ASSERT_NE(options, nullptr);
    SendMessageA(GetDlgItem(options, IDC_OPT_FORMAT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kFormat));
    const HANDLE held = CreateFileA(sandbox.iniPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const ULONGLONG start = GetTickCount64();
    PostMessageA(options, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(options); }, kHeldMs, 1));
    const ULONGLONG closedMs = GetTickCount64() - start;
    Sleep(kHeldMs);
    CloseHandle(held);
    EXPECT_LE(closedMs, kCloseMs);
    EXPECT_TRUE(WaitFor([&] { return IniValue(sandbox.ReadIni(), "format") == kFormat; })) << sandbox.ReadIni();
}

// A settings file linked into a synced folder keeps following its target.
TEST(SettingsFolder, LinkedFileStaysALinkAndItsTargetTakesTheText) {
    if (!std::getenv("TINTORA_MOUNT_TEST")) GTEST_SKIP() << "run by the test entry e2e.read_only_folder";
    ColorWindow fixture(kFixture, kColor);
    const std::string unixFolder = "/tmp/tintora-link-" + std::to_string(GetTickCount64()) + "-" +
                                   std::to_string(GetCurrentProcessId());
    WideFolder folder(WindowsPathOf(unixFolder));
    folder.Fill(kPlaced);
    const std::string link = unixFolder + "/tintora.ini", target = unixFolder + "/synced.ini";
    RunUnix("mv " + link + " " + target + " && ln -s " + target + " " + link);
    {
        const Program program(folder.exe());
        ASSERT_NE(program.window(), nullptr);
        EXPECT_TRUE(PlacedAt(program.window(), kPlacedAt));
        StoreFixtureColor(program.window(), 2);
        EXPECT_TRUE(FileHolds(WindowsPathOf(target), MemoLine(2, kColor)));
        PostMessageA(program.window(), WM_COMMAND, IDC_EXIT, 0);
        EXPECT_TRUE(program.WaitForExit());
    }
    RunUnix("test -L " + link + " && touch " + unixFolder + "/linked");
    EXPECT_NE(GetFileAttributesW(WindowsPathOf(unixFolder + "/linked").c_str()), INVALID_FILE_ATTRIBUTES);
    RunUnix("rm -f " + target + " " + unixFolder + "/linked");
}

// A template pasted with a line break is saved as its first line, in the file beside the program
// with every other setting (the position written at the exit), not in a file of the user's.
TEST(SettingsFile, PastedTemplateWithALineBreakKeepsItsFirstLineInTheSameFile) {
    constexpr char kPasted[] = "#%R\r\nsecond line", kFirstLine[] = "#%R";
    Sandbox sandbox(std::string(kPlaced) + "format=old\r\n");
    {
        Program program(sandbox);
        ASSERT_NE(program.window(), nullptr);
        ASSERT_TRUE(sandbox.WaitForMemoKeys());
        const HWND options = OpenOptions(program.window());
        ASSERT_NE(options, nullptr);
        SendMessageA(GetDlgItem(options, IDC_OPT_FORMAT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kPasted));
        ASSERT_EQ(FieldText(options, IDC_OPT_FORMAT), kPasted);
        PostMessageA(options, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(options); }));
        EXPECT_TRUE(WaitFor([&] { return IniValue(sandbox.ReadIni(), "format") == kFirstLine; })) << sandbox.ReadIni();
        ExitProgram(program);
    }
    EXPECT_EQ(GetFileAttributesW(UserIniFolder().c_str()), INVALID_FILE_ATTRIBUTES);
    const Program again(sandbox);
    ASSERT_NE(again.window(), nullptr);
    EXPECT_TRUE(PlacedAt(again.window(), kPlacedAt));
    const HWND options = OpenOptions(again.window());
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(FieldText(options, IDC_OPT_FORMAT), kFirstLine);
}

// Each copy writes only the memos set in it: a memo stored in one is not put back by a memo
// change in the other. The copy hotkey is off, so the second copy asks nothing at start-up.
TEST(SettingsFile, TwoRunningCopiesKeepEachOthersMemos) {
    ColorWindow fixture(kFixture, kColor);
    std::string saved = "[options]\r\ncopy=0\r\n";
    for (int slot = 0; slot < 5; ++slot) saved += MemoLine(slot, slot + 1);
    // The start-up write of each copy adds the missing memo6, which tells that it is done.
    const std::string started = MemoLine(5, 0xFFFFFF);
    Sandbox sandbox(saved);
    Program first(sandbox);
    ASSERT_NE(first.window(), nullptr);
    ASSERT_TRUE(FileHolds(Widen(sandbox.iniPath()), started));
    SetWindowPos(first.window(), nullptr, 250, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    sandbox.WriteIni(saved);
    Program second(sandbox);
    ASSERT_NE(second.window(), nullptr);
    ASSERT_TRUE(FileHolds(Widen(sandbox.iniPath()), started));

    StoreFixtureColor(first.window(), 1);
    ASSERT_TRUE(FileHolds(Widen(sandbox.iniPath()), MemoLine(1, kColor))) << sandbox.ReadIni();
    const POINT swatch = Centre(second.control(IDC_MEMO_FIRST + 3));
    MoveCursor(swatch.x, swatch.y);
    Sleep(50);
    Press(MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    ASSERT_TRUE(FileHolds(Widen(sandbox.iniPath()), MemoLine(3, 0xFFFFFF))) << sandbox.ReadIni();
    EXPECT_EQ(IniValue(sandbox.ReadIni(), "memo2"), std::to_string(kColor)) << sandbox.ReadIni();
    ExitProgram(second);
    ExitProgram(first);

    const Program again(sandbox);
    ASSERT_NE(again.window(), nullptr);
    EXPECT_TRUE(SwatchShows(again.window(), 1, kColor));
    EXPECT_TRUE(SwatchShows(again.window(), 3, 0xFFFFFF));
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
