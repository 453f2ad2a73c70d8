#pragma once

#include <cstdint>

namespace tintora {

// Each puts its text on the clipboard. When another program keeps the clipboard open past a
// short wait, the clipboard stays as it was.

// The current channels expanded through the copy template.
void CopyColorToClipboard();
// The memo's colour (captured by the caller, as it was clicked) expanded through the template
// as memo slot + 1.
void CopyMemoToClipboard(int slot, std::uint32_t color);
// All six memos, one template line each.
void CopyPaletteToClipboard();

}  // namespace tintora
