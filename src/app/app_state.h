// The one process-wide state record, shared by the UI thread and the two worker threads.
// Fields that another thread reads while one writes are atomics; the rest belong to one thread.
#pragma once

#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <array>
#include <atomic>
#include <cstdint>

#if !defined(_WIN64)
// The 32-bit program relies on these record sizes.
static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "first-version tray record size");
static_assert(sizeof(MSGBOXPARAMSA) == 40, "message box record size");
static_assert(sizeof(CHOOSECOLORA) == 36, "colour dialog record size");
static_assert(sizeof(MONITORINFO) == 40, "monitor record size");
#endif

namespace tintora {

constexpr int kMemoCount = 6;
constexpr std::size_t kTextSize = 256;
// Wide paths: the settings file's folder may have a name the ANSI code page cannot spell.
constexpr std::size_t kPathSize = MAX_PATH;

// What the sampler took last: the colour itself and the value whose split gives the channels a
// copy prints (the same colour, or a memo colour after a click on its swatch). Both halves live
// in one atomic word, so a reader never sees parts of two samples.
struct ColorSample {
    COLORREF current;
    std::uint32_t channels;
};

struct AppState {
    HINSTANCE instance;
    HWND mainWindow;
    std::atomic<std::uint8_t> windowShown;
    std::uint8_t trayButtonDown;
    NOTIFYICONDATAA trayIconData;
    UINT taskbarCreatedMsg;
    std::uint8_t workersStarted;  // UI thread only
    MSGBOXPARAMSA aboutParams;
    HHOOK aboutHook;
    WNDPROC aboutPrevProc;
    std::atomic<HWND> ownDialog;

    // Sampler thread only.
    POINT samplePoint;
    HDC screenDC;
    std::uint32_t hue, luminance, saturation;
    int lastSampleX, lastSampleY;
    int lastSampleSide;  // the square the last sample averaged
    std::uint8_t cursorOverOwnWindow;
    std::uint8_t hintShown;

    std::atomic<std::uint64_t> colorSample;  // a packed ColorSample
    HWND previewControl;
    std::atomic<HBRUSH> previewBrush;

    // Display scale, UI thread only.
    UINT windowDpi;  // the main window's
    HFONT readoutFont;

    // Magnifier, UI thread only.
    std::uint8_t zoomShown;
    POINT zoomOrigin;
    HDC zoomViewDC;
    int zoomViewWidth, zoomViewHeight;
    HWND desktopWindow;
    HDC desktopDC;
    int wheelTurn;  // wheel movement over the window short of a whole notch

    std::array<std::atomic<COLORREF>, kMemoCount> memoColors;
    std::array<std::atomic<HBRUSH>, kMemoCount> memoBrushes;
    // The memo the preview's contrast and the {contrast} token compare with: the one stored or
    // left-clicked last, memo 1 at start.
    std::atomic<int> contrastMemo;
    std::atomic<std::uint8_t> memosDirty;
    std::atomic<std::uint8_t> memosSet;  // a bit for each slot the user set since the memo thread took them
    std::atomic<std::uint8_t> memosPassing;  // 1 while the memo thread repaints and saves
    CHOOSECOLORA chooseColorParams;
    COLORREF customColors[16];

    // Settings: the live values, read once at start-up and changed by the options dialog.
    // settingsRead is 0 while they are defaults (or the seed's) after the file could not be read;
    // settingsArriving is 1 while the memo thread hands the main window a text read since.
    std::atomic<std::uint8_t> settingsRead;
    std::atomic<std::uint8_t> settingsArriving;
    std::uint8_t windowMoved;  // the user has moved the main window; UI thread only
    std::uint8_t optionsShown;  // the options dialog is open; UI thread only
    char copyFormat[kTextSize];
    std::atomic<std::uint32_t> copyHotkey;
    int captureTransparent;
    int zoomUpdateMs;
    int zoomRate;
    std::atomic<int> useShift, shiftX, shiftY;
    std::atomic<int> webSafe;
    // The side of the square the sampler averages (1, 3, ... 31; 1 is the pixel itself), changed
    // by the options dialog, the bracket keys and Ctrl + the wheel.
    std::atomic<int> sampleAverage;
    // 1 while the preview swatch shows the contrast with the reference memo.
    std::atomic<std::uint8_t> showContrast;
};

extern AppState app;

inline std::uint64_t PackSample(ColorSample s) {
    return (std::uint64_t{s.channels} << 32) | s.current;
}

// A click on a memo swatch makes the memo colour the one the next copy prints, until the sampler
// takes a new colour; the current colour itself stays.
inline void SetCopyChannels(std::uint32_t channels) {
    std::uint64_t seen = app.colorSample.load();
    while (!app.colorSample.compare_exchange_weak(seen, (std::uint64_t{channels} << 32) | (seen & 0xFFFFFFFFu))) {
    }
}

inline ColorSample LoadSample() {
    const std::uint64_t v = app.colorSample.load();
    return {static_cast<COLORREF>(v & 0xFFFFFFFFu), static_cast<std::uint32_t>(v >> 32)};
}

}  // namespace tintora
