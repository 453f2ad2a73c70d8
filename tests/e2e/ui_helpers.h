// Helpers shared by the placement, magnifier and options tests: settings-file values, owned
// dialogs, mouse drags and a patterned window for the magnifier to enlarge.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

// The value of key in the settings file's text, or none when the key is missing.
std::optional<std::string> IniValue(const std::string& iniText, const std::string& key);
// The file's non-empty lines, without line ends.
std::vector<std::string> IniLines(const std::string& iniText);

// The visible dialog (class #32770) owned by owner, or null.
HWND FindOwnedDialog(HWND owner);
// Presses the left button at from, moves in small steps to to, and lets go there.
void Drag(POINT from, POINT to);
// The client area's top-left corner in screen pixels.
POINT ClientOrigin(HWND window);
// A single press on a button that was pressed a moment ago would arrive as a double-click.
void WaitPastDoubleClick();

// A top-level window whose every pixel tells its screen position: by default red is x, green
// is y (both modulo 256), blue is fixed, so no pixel is ever black.
class PatternWindow {
public:
    using Colors = COLORREF (*)(int x, int y);
    explicit PatternWindow(RECT rect, Colors colorAt = ColorAt);
    ~PatternWindow();
    PatternWindow(const PatternWindow&) = delete;
    PatternWindow& operator=(const PatternWindow&) = delete;

    static COLORREF ColorAt(int x, int y);

private:
    static DWORD WINAPI Thread(void* self);
    HANDLE thread_ = nullptr;
    HANDLE ready_ = nullptr;
    RECT rect_;
    Colors colorAt_;
    HWND window_ = nullptr;
};

}  // namespace e2e
