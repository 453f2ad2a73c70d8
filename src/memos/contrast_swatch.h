// The preview swatch with the contrast of the current colour and the reference memo drawn over
// it, while the "contrast" key is on; with it off the swatch paints as a plain static.
#pragma once

#include <windows.h>

namespace tintora {

void SubclassPreview(HWND preview);
// Paints the preview again while it shows the contrast: the reference memo or its colour changed.
void RepaintContrast();

}  // namespace tintora
