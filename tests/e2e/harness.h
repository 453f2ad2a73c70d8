// Drives a real copy of the program the way a person would: starts it in a folder of its own,
// moves the cursor, clicks, presses keys, and reads windows, screen pixels, the clipboard and
// the settings file.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>

namespace e2e {

// Where the tests put their coloured windows, clear of the main window (at the top-left corner
// unless a test saves another place) and of the corner where Wine shows its tray; (kX, kY) lies
// inside.
constexpr RECT kFixture{600, 500, 800, 700};
constexpr int kX = 700, kY = 600;

// True when the run's CTest entry asks for the shipped 32-bit program (TINTORA_ARCH=x86): the
// sandboxes then hold build/win32/tintora.exe instead of its x86_64 twin.
bool TestsShippedBuild();

// Polls until the condition holds or the time is up (longer for the emulated 32-bit program);
// true when it held.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000, int stepMs = 10);

// The whole file, read with full sharing so the program's own writes are not blocked; empty when
// it cannot be opened, which exists (when given) tells apart from an empty file.
std::string ReadWholeFile(const std::string& path, bool* exists = nullptr);
// What is left to read of an open file, which it then closes; empty for an invalid handle.
std::string ReadToEndAndClose(HANDLE file);

// A fresh folder holding a copy of the program and, when given, its settings file.
class Sandbox {
public:
    explicit Sandbox(const std::string& iniText = {}, bool writeIni = false);
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    const std::string& folder() const { return folder_; }
    std::string exePath() const { return folder_ + "\\tintora.exe"; }
    std::string iniPath() const { return folder_ + "\\tintora.ini"; }
    std::string ReadIni() const;  // empty when there is no file
    // Once the program shows it writes its six memo colours; a test that compares the file
    // before and after an action waits for that write first.
    bool WaitForMemoKeys() const;
    bool IniExists() const;
    void WriteIni(const std::string& text) const;

private:
    std::string folder_;
};

// One running program. Ends it on destruction unless it has ended by itself.
class Program {
public:
    explicit Program(const Sandbox& sandbox, bool waitForWindow = true);
    // Started from a path the ANSI functions cannot spell, in the caller's working folder.
    explicit Program(const std::wstring& exe);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    HWND window() const { return window_; }
    HWND control(int id) const { return GetDlgItem(window_, id); }
    DWORD pid() const { return process_.dwProcessId; }
    HANDLE process() const { return process_.hProcess; }
    bool WaitForExit(int timeoutMs = 5000, DWORD* exitCode = nullptr) const;
    std::string InfoText() const;

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

// The visible top-level dialog of the given process, or null.
HWND FindMainWindow(DWORD pid);
std::string WindowText(HWND window);
// Waits until the main window's readout names the pixel at x:y.
bool ReadoutAt(HWND mainWindow, int x, int y);
std::string ClassName(HWND window);
RECT WindowRect(HWND window);
POINT Centre(HWND window);

COLORREF ScreenPixel(int x, int y);
// How many pixels of each colour the screen shows inside area, taken in one copy.
std::map<COLORREF, int> ScreenColors(RECT area);
void MoveCursor(int x, int y);
// Button events at the point the cursor was last moved to: each carries that point, because
// Wine may still deliver the pointer event of an earlier move to a busy program and so put the
// cursor back there for a moment. With heldKey, that key is held down over the press.
void Press(DWORD downFlag, DWORD upFlag, WORD heldKey = 0);
void LeftClick(int x, int y);
// Clicks the middle of a window once it is the one under that point, as a person would.
void ClickControl(HWND control);
void SendKeys(std::initializer_list<WORD> keys);  // pressed in order, released in reverse

// The control that has the keyboard focus in the thread that owns window, or null.
HWND FocusedWindow(HWND window);
// True when that focus is on the window or one of its controls (a dialog hands the focus it gets
// on to its control that had it last).
bool HasFocus(HWND window);
// True once the window is the foreground window and holds the focus: keys and clicks reach it.
bool TakesInput(HWND window);

// Text on the clipboard in the given format (CF_TEXT: ANSI bytes; CF_UNICODETEXT: UTF-8 of it).
// Empty when there is none; hasText tells the two apart.
std::string ClipboardText(UINT format, bool* hasText = nullptr);
void PutClipboardText(const std::string& text);
// Waits until the clipboard holds text as CF_TEXT.
bool ClipboardBecomes(const std::string& text);

// Runs a borderless top-level window of the test's own on the calling thread until it is
// closed; userData goes to its GWLP_USERDATA, and ready is set once it exists.
void RunFixtureWindow(const char* className, WNDPROC proc, RECT rect, LONG_PTR userData, HANDLE ready, HWND* window);

// Answers WM_PAINT for window: every pixel in the colour that colorAt gives for its screen position.
void PaintByScreenPosition(HWND window, COLORREF (*colorAt)(int x, int y));

// A top-level window of the test's own, painted in one colour, for the sampler to read.
class ColorWindow {
public:
    ColorWindow(RECT rect, COLORREF color);
    ~ColorWindow();
    ColorWindow(const ColorWindow&) = delete;
    ColorWindow& operator=(const ColorWindow&) = delete;

    void SetColor(COLORREF color);  // returns once the new colour is on screen
    HWND window() const { return window_; }

private:
    static DWORD WINAPI Thread(void* self);
    HANDLE thread_ = nullptr;
    HANDLE ready_ = nullptr;
    RECT rect_;
    std::atomic<COLORREF> color_;
    HWND window_ = nullptr;
};

}  // namespace e2e
