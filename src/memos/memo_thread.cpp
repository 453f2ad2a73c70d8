#include "memos/memo_thread.h"

#include "app/app_state.h"
#include "app/window_messages.h"
#include "resources/resource_ids.h"
#include "settings/settings_load.h"
#include "settings/settings_rules.h"

namespace tintora {

namespace {

constexpr DWORD kPollMs = 10;
constexpr DWORD kSwatchPauseMs = 5;
// While the memo colours are unknown after a failed read, they are read again this often (in
// polls), so the swatches show the file's colours soon after another program lets go of it.
constexpr unsigned kRereadPolls = 128;

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

void SaveMemos() {
    // Nothing is written back until the file's own colours are known.
    if (!MemosKnown()) return;
    std::uint32_t colors[kMemoCount];
    for (int slot = 0; slot < kMemoCount; ++slot) colors[slot] = app.memoColors[slot].load();
    WriteMemoSettings(colors);
}

}  // namespace

DWORD WINAPI MemoThread(void*) {
    for (unsigned poll = 1;; ++poll) {
        Sleep(kPollMs);
        if (!app.memosRead.load() && poll % kRereadPolls == 0) MemosKnown();
        if (app.memosDirty.load() != 1) continue;
        app.memosPassing = 1;  // before the flag is taken: the exit command sees work pending
        // Taken before any colour is read: a change during this pass brings one more pass.
        app.memosDirty = 0;
        RepaintSwatches();
        SaveMemos();
        app.memosPassing = 0;
    }
}

void SavePendingMemos() {
    if (app.memosDirty.load() == 1 || app.memosPassing.load() == 1) SaveMemos();
}

}  // namespace tintora
