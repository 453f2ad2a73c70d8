// The sampler's one-pixel capture.
#pragma once

#include <windows.h>

namespace tintora {

using BitmapMaker = HBITMAP(WINAPI*)(HDC, int, int);

// The pixel at point of screen, through a 1 x 1 bitmap made for this capture, with layered
// windows in it. CLR_INVALID when a step fails: without the bitmap the copy would land in the
// memory context's own 1 x 1 monochrome one and read as black or white.
COLORREF CapturePixel(HDC screen, POINT point, BitmapMaker makeBitmap = CreateCompatibleBitmap);

}  // namespace tintora
