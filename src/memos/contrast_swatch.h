// The preview swatch with the contrast of the current colour and the reference memo drawn over
// it, while the "contrast" key is on; with it off the swatch paints as a plain static.
#pragma once

#include <windows.h>

namespace tintora {

void SubclassPreview(HWND preview);

}  // namespace tintora
