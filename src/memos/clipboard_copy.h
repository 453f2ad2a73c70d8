#pragma once

namespace tintora {

// Puts the current channels, expanded through the copy template, on the clipboard as text.
// When another program keeps the clipboard open past a short wait, the clipboard stays as it was.
void CopyColorToClipboard();

}  // namespace tintora
