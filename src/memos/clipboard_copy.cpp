#include "memos/clipboard_copy.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "app/app_state.h"
#include "memos/copy_template.h"

namespace tintora {

namespace {

// Another program may hold the clipboard for a moment; wait at most about 100 ms for it.
constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenRetryMs = 10;

bool OpenClipboardPatiently(HWND owner) {
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        if (OpenClipboard(owner)) return true;
        Sleep(kOpenRetryMs);
    }
    return false;
}

// A movable shared block holding the text and its NUL, sized to the whole text.
HGLOBAL MakeTextBlock(const std::string& text) {
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
    if (!block) return nullptr;
    void* memory = GlobalLock(block);
    if (!memory) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(memory, text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    return block;
}

// What {contrast} compares with.
Channels Reference() { return SplitColor(app.memoColors[app.contrastMemo.load()].load()); }

void PutTextOnClipboard(const std::string& text) {
    const HGLOBAL block = MakeTextBlock(text);
    if (!block) return;
    if (!OpenClipboardPatiently(app.mainWindow)) {
        GlobalFree(block);
        return;
    }
    EmptyClipboard();
    // ANSI text: the system offers the OEM and Unicode forms converted from it.
    if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
    CloseClipboard();
}

}  // namespace

void CopyColorToClipboard() {
    PutTextOnClipboard(ExpandCopyTemplate(app.copyFormat, SplitColor(LoadSample().channels), {Reference(), 0}));
}

void CopyMemoToClipboard(int slot, std::uint32_t color) {
    const CopyContext context{Reference(), static_cast<std::uint32_t>(slot + 1)};
    PutTextOnClipboard(ExpandCopyTemplate(app.copyFormat, SplitColor(color), context));
}

void CopyPaletteToClipboard() {
    Channels memos[kMemoCount];
    for (int slot = 0; slot < kMemoCount; ++slot) memos[slot] = SplitColor(app.memoColors[slot].load());
    PutTextOnClipboard(ExpandPalette(app.copyFormat, memos, kMemoCount, Reference()));
}

}  // namespace tintora
