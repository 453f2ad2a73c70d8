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

void RepaintSwatches() {
    HBRUSH replaced[kMemoCount];
    for (int slot = 0; slot < kMemoCount; ++slot) {
        replaced[slot] = app.memoBrushes[slot].exchange(CreateSolidBrush(app.memoColors[slot].load()));
        InvalidateRect(GetDlgItem(app.mainWindow, IDC_MEMO_FIRST + slot), nullptr, FALSE);
        Sleep(kSwatchPauseMs);
    }
    for (HBRUSH brush : replaced) RetireBrush(brush);
}

void SaveMemos() {
    for (int slot = 0; slot < kMemoCount; ++slot) {
        WriteSettingUnsigned(settings::kMemoSettings[slot].key, app.memoColors[slot].load());
    }
}

}  // namespace

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
