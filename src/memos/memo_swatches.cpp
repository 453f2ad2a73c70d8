#include "memos/memo_swatches.h"

#include "app/app_state.h"
#include "memos/clipboard_copy.h"
#include "memos/contrast_swatch.h"
#include "resources/resource_ids.h"

namespace tintora {

namespace {

constexpr UINT kMemoHotkeyModifiers = MOD_CONTROL | MOD_ALT;
constexpr UINT kFirstMemoKey = '1';

}  // namespace

void SetMemo(int slot, COLORREF color) {
    app.memoColors[slot] = color;
    app.memosSet.fetch_or(static_cast<std::uint8_t>(1u << slot));
    app.memosDirty = 1;  // after the colour and its mark, so the memo thread reads both
}

void RegisterMemoHotkeys(HWND window) {
    for (int slot = 0; slot < kMemoCount; ++slot) {
        RegisterHotKey(window, IDC_MEMO_FIRST + slot, kMemoHotkeyModifiers, kFirstMemoKey + slot);
    }
}

bool IsMemoId(int id) { return id >= IDC_MEMO_FIRST && id <= IDC_MEMO_LAST; }

void MakeReference(int slot) {
    app.contrastMemo = slot;
    RepaintContrast();
}

void StoreCurrentColorInMemo(int slot) {
    SetMemo(slot, LoadSample().current);
    MakeReference(slot);
}

void ResetMemo(int slot) { SetMemo(slot, kMemoWhite); }

void CopyMemoColor(int slot) {
    const COLORREF color = app.memoColors[slot].load();
    SetCopyChannels(color);
    // The memo's own channels: the sampler may store a new sample at any moment.
    CopyMemoToClipboard(slot, color);
    MakeReference(slot);
}

}  // namespace tintora
