#include "harness.h"
#include "resources/resource_ids.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace e2e {

namespace {

constexpr int kStartTimeoutMs = 10000;

// The test programs write to a pipe, which the runtime buffers whole: unbuffered, what a test
// printed before a crash still reaches the log.
[[maybe_unused]] const int kUnbufferedOutput = std::setvbuf(stdout, nullptr, _IONBF, 0);
constexpr DWORD kClipboardSettleMs = 200;
constexpr char kColorWindowClass[] = "TintoraTestColor";
// Wine refused a start once while two suites ran side by side: CreateProcess failed at once,
// with the program never reaching its window. A second try tells that apart from a program
// that cannot start, and the log keeps the refusal's error.
constexpr int kStartAttempts = 2;

template <typename Start>
bool StartPatiently(Start start) {
    for (int attempt = 1; attempt <= kStartAttempts; ++attempt) {
        if (start()) return true;
        std::printf("harness: start %d of %d refused, error %lu\n", attempt, kStartAttempts, GetLastError());
    }
    return false;
}

std::string ModuleFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    *std::strrchr(path, '\\') = '\0';
    return path;
}

// The program sits in build/win64, the test programs one or two folders below it, and the
// shipped 32-bit program in build/win32 beside it.
std::string BuiltProgram() {
    std::string folder = ModuleFolder();
    for (int up = 0; up < 3; ++up) {
        const std::string candidate = folder + "\\tintora.exe";
        if (GetFileAttributesA(candidate.c_str()) != INVALID_FILE_ATTRIBUTES) {
            return TestsShippedBuild() ? folder + "\\..\\win32\\tintora.exe" : candidate;
        }
        folder += "\\..";
    }
    return folder;
}

void RemoveFolder(const std::string& folder) {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            SetFileAttributesA((folder + "\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA((folder + "\\" + name).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

// Where the test last put the cursor.
POINT cursorTarget{};

// A mouse event at a screen point, in absolute input's 0..65535 scale, rounded up so that the
// scaling back lands on that very pixel.
INPUT MouseAt(POINT p, DWORD flags) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (p.x * 65536 + width - 1) / width;
    input.mi.dy = (p.y * 65536 + height - 1) / height;
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

void SendInputs(std::vector<INPUT>& inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

LRESULT CALLBACK ColorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        const auto color = static_cast<COLORREF>(GetWindowLongPtrA(window, GWLP_USERDATA));
        const HBRUSH brush = CreateSolidBrush(color);
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, brush);
        DeleteObject(brush);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool TestsShippedBuild() {
    char arch[8] = "";
    return GetEnvironmentVariableA("TINTORA_ARCH", arch, sizeof arch) > 0 && std::strcmp(arch, "x86") == 0;
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs, int stepMs) {
    // The shipped 32-bit program runs under qemu's emulation, several times slower than its
    // twin: what a person waits for comes as surely, only later.
    constexpr int kEmulationSlowdown = 3;
    static const int scale = TestsShippedBuild() ? kEmulationSlowdown : 1;
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs) * scale;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(static_cast<DWORD>(stepMs));
    }
}

std::string ReadWholeFile(const std::string& path, bool* exists) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (exists) *exists = file != INVALID_HANDLE_VALUE;
    return ReadToEndAndClose(file);
}

std::string ReadToEndAndClose(HANDLE file) {
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string text;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) text.append(chunk, got);
    CloseHandle(file);
    return text;
}

Sandbox::Sandbox(const std::string& iniText, bool writeIni) {
    static LONG counter = 0;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char name[64];
    std::snprintf(name, sizeof name, "tintora-e2e-%lu-%ld", GetCurrentProcessId(),
                  InterlockedIncrement(&counter));
    folder_ = std::string(temp) + name;
    CreateDirectoryA(folder_.c_str(), nullptr);
    CopyFileA(BuiltProgram().c_str(), exePath().c_str(), FALSE);
    if (writeIni || !iniText.empty()) WriteIni(iniText);
}

Sandbox::~Sandbox() { RemoveFolder(folder_); }

std::string Sandbox::ReadIni() const { return ReadWholeFile(iniPath(), nullptr); }

bool Sandbox::WaitForMemoKeys() const {
    return WaitFor([&] {
        const std::string text = ReadIni();
        for (char slot = '1'; slot <= '6'; ++slot) {
            if (text.find(std::string("\nmemo") + slot + "=") == std::string::npos) return false;
        }
        return true;
    });
}

bool Sandbox::IniExists() const {
    bool exists = false;
    ReadWholeFile(iniPath(), &exists);
    return exists;
}

void Sandbox::WriteIni(const std::string& text) const {
    const HANDLE file = CreateFileA(iniPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

Program::Program(const Sandbox& sandbox, bool waitForWindow) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + sandbox.exePath() + "\"";
    if (!StartPatiently([&] {
            return CreateProcessA(sandbox.exePath().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                  nullptr, sandbox.folder().c_str(), &startup, &process_);
        })) {
        return;
    }
    if (waitForWindow) {
        WaitFor([&] { return (window_ = FindMainWindow(pid())) != nullptr; }, kStartTimeoutMs);
    }
}

Program::Program(const std::wstring& exe) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!StartPatiently([&] {
            return CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                  &startup, &process_);
        })) {
        return;
    }
    WaitFor([&] { return (window_ = FindMainWindow(pid())) != nullptr; }, kStartTimeoutMs);
}

Program::~Program() {
    if (!process_.hProcess) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, kStartTimeoutMs);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool Program::WaitForExit(int timeoutMs, DWORD* exitCode) const {
    if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) return false;
    if (exitCode) GetExitCodeProcess(process_.hProcess, exitCode);
    return true;
}

std::string Program::InfoText() const { return WindowText(control(IDC_INFO)); }

HWND FindMainWindow(DWORD pid) {
    struct Search {
        DWORD pid;
        HWND found;
    } search{pid, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->pid && IsWindowVisible(window) && ClassName(window) == "#32770" &&
                GetWindow(window, GW_OWNER) == nullptr) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowText(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool ReadoutAt(HWND mainWindow, int x, int y) {
    const std::string start = "Pixel at " + std::to_string(x) + ":" + std::to_string(y) + "\r\n";
    return WaitFor([&] { return WindowText(GetDlgItem(mainWindow, IDC_INFO)).rfind(start, 0) == 0; });
}

std::string ClassName(HWND window) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

POINT Centre(HWND window) {
    const RECT r = WindowRect(window);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

COLORREF ScreenPixel(int x, int y) {
    const HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return pixel;
}

std::map<COLORREF, int> ScreenColors(RECT area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<std::uint32_t> bits(static_cast<std::size_t>(width) * height);
    const HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, old);
    GetDIBits(memory, bitmap, 0, height, bits.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap), DeleteDC(memory), ReleaseDC(nullptr, screen);
    std::map<COLORREF, int> colors;
    // Each pixel as blue, green, red bytes: the other order of a COLORREF.
    for (std::uint32_t pixel : bits) ++colors[RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF)];
    return colors;
}

void MoveCursor(int x, int y) {
    cursorTarget = {x, y};
    SetCursorPos(x, y);
}

void LeftClick(int x, int y) {
    MoveCursor(x, y);
    Sleep(30);
    Press(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

void ClickControl(HWND control) {
    const POINT centre = Centre(control);
    WaitFor([&] {
        const HWND hit = WindowFromPoint(centre);
        return hit == control || IsChild(control, hit);
    });
    LeftClick(centre.x, centre.y);
}

HWND FocusedWindow(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

bool HasFocus(HWND window) {
    const HWND focus = FocusedWindow(window);
    return focus != nullptr && (focus == window || IsChild(window, focus));
}

bool TakesInput(HWND window) { return GetForegroundWindow() == window && HasFocus(window); }

// Wine sets the modifier keys back to what the X server last reported (all up) when a window
// of it takes in a pointer crossing or the focus, and a busy window thread takes that late: it
// could let go of injected modifiers before the key they hold. The window under the cursor
// answers a message only after what reached it before, and modifiers let go are pressed again.
void LetWindowUnderCursorCatchUp() {
    POINT p{};
    GetCursorPos(&p);
    DWORD_PTR result = 0;
    if (const HWND window = WindowFromPoint(p)) SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result);
}

INPUT KeyInput(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

void Press(DWORD downFlag, DWORD upFlag, WORD heldKey) {
    std::vector<INPUT> inputs{MouseAt(cursorTarget, downFlag), MouseAt(cursorTarget, upFlag)};
    if (heldKey) {
        LetWindowUnderCursorCatchUp();
        inputs.insert(inputs.begin(), KeyInput(heldKey, false));
        inputs.push_back(KeyInput(heldKey, true));
    }
    SendInputs(inputs);
}

void SendKeys(std::initializer_list<WORD> keys) {
    constexpr int kPressAttempts = 3;
    const std::vector<WORD> held(keys.begin(), keys.end() - 1);
    LetWindowUnderCursorCatchUp();
    for (int attempt = 0; attempt < kPressAttempts; ++attempt) {
        std::vector<INPUT> downs;
        for (WORD vk : held) {
            if (!(GetAsyncKeyState(vk) & 0x8000)) downs.push_back(KeyInput(vk, false));
        }
        if (downs.empty()) break;
        SendInputs(downs);
        LetWindowUnderCursorCatchUp();
    }
    std::vector<INPUT> inputs{KeyInput(*(keys.end() - 1), false), KeyInput(*(keys.end() - 1), true)};
    for (auto it = held.rbegin(); it != held.rend(); ++it) inputs.push_back(KeyInput(*it, true));
    SendInputs(inputs);
}

bool ClipboardBecomes(const std::string& text) {
    // Polled gently: each look opens the clipboard, which the program needs too.
    return WaitFor([&] { return ClipboardText(CF_TEXT) == text; }, 5000, 50);
}

std::string ClipboardText(UINT format, bool* hasText) {
    if (hasText) *hasText = false;
    if (!WaitFor([] { return OpenClipboard(nullptr) != FALSE; }, 2000)) return {};
    std::string text;
    if (const HANDLE data = GetClipboardData(format)) {
        if (const void* locked = GlobalLock(data)) {
            if (hasText) *hasText = true;
            if (format == CF_UNICODETEXT) {
                const auto* wide = static_cast<const wchar_t*>(locked);
                const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
                text.resize(size > 0 ? static_cast<std::size_t>(size) : 1);
                WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
                text.resize(std::strlen(text.c_str()));
            } else {
                text = static_cast<const char*>(locked);
            }
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void PutClipboardText(const std::string& text) {
    if (!WaitFor([] { return OpenClipboard(nullptr) != FALSE; }, 2000)) return;
    EmptyClipboard();
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
    CloseClipboard();
    // Wine's clipboard manager opens the clipboard itself to take the change over; a copy made
    // in that moment finds the clipboard held. A person never copies that fast after another
    // program did, so the tests give it the moment.
    Sleep(kClipboardSettleMs);
}

ColorWindow::ColorWindow(RECT rect, COLORREF color) : rect_(rect), color_(color) {
    ready_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, Thread, this, 0, nullptr);
    WaitForSingleObject(ready_, kStartTimeoutMs);
    SetColor(color);
}

ColorWindow::~ColorWindow() {
    PostMessageA(window_, WM_CLOSE, 0, 0);
    WaitForSingleObject(thread_, kStartTimeoutMs);
    CloseHandle(thread_);
    CloseHandle(ready_);
}

void ColorWindow::SetColor(COLORREF color) {
    color_ = color;
    SetWindowLongPtrA(window_, GWLP_USERDATA, static_cast<LONG_PTR>(color));
    InvalidateRect(window_, nullptr, FALSE);
    const int x = (rect_.left + rect_.right) / 2;
    const int y = (rect_.top + rect_.bottom) / 2;
    WaitFor([&] { return ScreenPixel(x, y) == color; }, 2000, 5);
}

void RunFixtureWindow(const char* className, WNDPROC proc, RECT r, LONG_PTR userData, HANDLE ready, HWND* window) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    RegisterClassA(&wc);
    *window = CreateWindowExA(WS_EX_TOOLWINDOW, className, "", WS_POPUP | WS_VISIBLE, r.left, r.top,
                              r.right - r.left, r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(*window, GWLP_USERDATA, userData);
    SetEvent(ready);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_CLOSE && msg.hwnd == *window) break;
        DispatchMessageA(&msg);
    }
    DestroyWindow(*window);
}

void PaintByScreenPosition(HWND window, COLORREF (*colorAt)(int x, int y)) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<DWORD> pixels(static_cast<std::size_t>(client.right) * client.bottom);
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            const COLORREF c = colorAt(origin.x + x, origin.y + y);
            pixels[static_cast<std::size_t>(y) * client.right + x] = GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
        }
    }
    SetDIBitsToDevice(dc, 0, 0, client.right, client.bottom, 0, 0, 0, client.bottom, pixels.data(), &info,
                      DIB_RGB_COLORS);
    EndPaint(window, &paint);
}

DWORD WINAPI ColorWindow::Thread(void* self) {
    auto* me = static_cast<ColorWindow*>(self);
    RunFixtureWindow(kColorWindowClass, ColorWindowProc, me->rect_, static_cast<LONG_PTR>(me->color_.load()),
                     me->ready_, &me->window_);
    return 0;
}

}  // namespace e2e
