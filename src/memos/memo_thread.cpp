#include "memos/memo_thread.h"

#include <atomic>

#include "app/app_state.h"
#include "app/window_messages.h"
#include "memos/contrast_swatch.h"
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
    RepaintContrast();  // the reference memo's colour shows in the preview too
}

constexpr std::uint8_t kAllMemos = (1u << kMemoCount) - 1;

// The slots the running pass took from memosSet; memo thread only, read by the exit command.
std::atomic<std::uint8_t> passSlots;
// Set by the memo thread once it wrote all six, the colours just read. From then on only the
// memos the user set in this copy are written, so that a pass never puts back a memo that
// another running copy stored meanwhile.
std::atomic<bool> allSaved;

// Nothing is written back until the file's own colours are known; a colour stored meanwhile is
// written with them.
bool SaveMemos(std::uint8_t slots, DWORD patienceMs) {
    if (!app.settingsRead.load()) return false;
    if (!allSaved.load()) slots = kAllMemos;
    std::uint32_t colors[kMemoCount];
    bool changed[kMemoCount];
    for (int slot = 0; slot < kMemoCount; ++slot) {
        colors[slot] = app.memoColors[slot].load();
        changed[slot] = (slots >> slot & 1u) != 0;
    }
    WriteMemoSettings(colors, changed, patienceMs);
    return true;
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
        passSlots = app.memosSet.exchange(0);
        RepaintSwatches();
        if (SaveMemos(passSlots.load(), kBackgroundPatienceMs)) allSaved = true;
        passSlots = 0;
        app.memosPassing = 0;
    }
}

void SavePendingMemos() {
    if (app.memosDirty.load() == 1 || app.memosPassing.load() == 1) {
        SaveMemos(app.memosSet.load() | passSlots.load(), kNoWaitMs);
    }
}

}  // namespace tintora
