#include "memos/memo_thread.h"

#include "app/app_state.h"
#include "mainwindow/main_dialog.h"
#include "resources/resource_ids.h"
#include "settings/settings_load.h"
#include "settings/settings_rules.h"

namespace tintora {

namespace {

constexpr DWORD kPollMs = 10;
constexpr DWORD kSwatchPauseMs = 5;

void RepaintSwatches() {
    HBRUSH replaced[kMemoCount];
    for (int slot = 0; slot < kMemoCount; ++slot) {
        replaced[slot] = app.memoBrushes[slot].exchange(CreateSolidBrush(app.memoColors[slot].load()));
        InvalidateRect(GetDlgItem(app.mainWindow, IDC_MEMO_FIRST + slot), nullptr, FALSE);
        Sleep(kSwatchPauseMs);
    }
    for (HBRUSH brush : replaced) RetireBrush(brush);
}

// After a failed read at start-up the colours in memory are the defaults, not the file's: they
// are read again, and slots still at their default take the file's colour, while a slot the
// user has set since keeps it. False while the file still cannot be read.
bool MemosKnown() {
    if (app.memosRead.load()) return true;
    std::uint32_t read[kMemoCount];
    if (!ReadMemoSettings(read)) return false;
    for (int slot = 0; slot < kMemoCount; ++slot) {
        COLORREF expected = settings::kMemoSettings[slot].defaultValue;
        app.memoColors[slot].compare_exchange_strong(expected, read[slot]);
    }
    app.memosRead = 1;
    app.memosDirty = 1;  // the next pass shows the colours read
    return true;
}

}  // namespace

void SaveMemos() {
    // Nothing is written back until the file's own colours are known.
    if (!MemosKnown()) return;
    std::uint32_t colors[kMemoCount];
    for (int slot = 0; slot < kMemoCount; ++slot) colors[slot] = app.memoColors[slot].load();
    WriteMemoSettings(colors);
}

DWORD WINAPI MemoThread(void*) {
    for (;;) {
        Sleep(kPollMs);
        // Taken before any colour is read: a change during this pass brings one more pass.
        if (app.memosDirty.exchange(0) != 1) continue;
        RepaintSwatches();
        SaveMemos();
    }
}

}  // namespace tintora
