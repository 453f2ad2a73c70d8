#include "memos/memo_thread.h"

#include "app/app_state.h"
#include "app/window_messages.h"
#include "resources/resource_ids.h"
#include "settings/pending_keys.h"
#include "settings/settings_load.h"
#include "settings/settings_writer.h"

namespace tintora {

namespace {

constexpr DWORD kPollMs = 10;
constexpr DWORD kSwatchPauseMs = 5;
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
    // The reference memo's colour shows in the preview too.
    if (app.showContrast.load()) InvalidateRect(app.previewControl, nullptr, FALSE);
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
    // While the settings file could not be read, it is read again after a pause that grows as
    // for a held write: the file's values come soon after a passing hold, and a file that stays
    // unreadable costs next to nothing.
    DWORD rereadPauseMs = settings::kFirstPauseMs;
    ULONGLONG rereadAt = GetTickCount64() + rereadPauseMs;
    for (;;) {
        Sleep(kPollMs);
        if (!app.settingsRead.load() && GetTickCount64() >= rereadAt) {
            ReadSettingsAgain();
            rereadPauseMs = settings::NextPause(rereadPauseMs);
            rereadAt = GetTickCount64() + rereadPauseMs;
        }
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
