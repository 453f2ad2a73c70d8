#include "memos/memo_thread.h"

#include "app/app_state.h"
#include "app/window_messages.h"
#include "resources/resource_ids.h"
#include "settings/settings_load.h"
#include "settings/settings_writer.h"

namespace tintora {

namespace {

constexpr DWORD kPollMs = 10;
constexpr DWORD kSwatchPauseMs = 5;
// While the settings file could not be read, it is read again this often (in polls), so the
// program takes the file's values soon after another program lets go of it.
constexpr unsigned kRereadPolls = 25;
// The exit command adds the memo keys to what it writes last, without a wait of its own.
constexpr DWORD kNoWaitMs = 0;

void RepaintSwatches() {
    HBRUSH replaced[kMemoCount];
    for (int slot = 0; slot < kMemoCount; ++slot) {
        replaced[slot] = app.memoBrushes[slot].exchange(CreateSolidBrush(app.memoColors[slot].load()));
        InvalidateRect(GetDlgItem(app.mainWindow, IDC_MEMO_FIRST + slot), nullptr, FALSE);
        Sleep(kSwatchPauseMs);
    }
    for (HBRUSH brush : replaced) RetireBrush(brush);
}

// Nothing is written back until the file's own colours are known; a colour stored meanwhile is
// written with them.
void SaveMemos(DWORD patienceMs) {
    if (!app.settingsRead.load()) return;
    std::uint32_t colors[kMemoCount];
    for (int slot = 0; slot < kMemoCount; ++slot) colors[slot] = app.memoColors[slot].load();
    WriteMemoSettings(colors, patienceMs);
}

}  // namespace

DWORD WINAPI MemoThread(void*) {
    for (unsigned poll = 1;; ++poll) {
        Sleep(kPollMs);
        if (!app.settingsRead.load() && poll % kRereadPolls == 0) ReadSettingsAgain();
        WritePendingSettingsWhenDue();
        if (app.memosDirty.load() != 1) continue;
        app.memosPassing = 1;  // before the flag is taken: the exit command sees work pending
        // Taken before any colour is read: a change during this pass brings one more pass.
        app.memosDirty = 0;
        RepaintSwatches();
        SaveMemos(kBackgroundPatienceMs);
        app.memosPassing = 0;
    }
}

void SavePendingMemos() {
    if (app.memosDirty.load() == 1 || app.memosPassing.load() == 1) SaveMemos(kNoWaitMs);
}

}  // namespace tintora
