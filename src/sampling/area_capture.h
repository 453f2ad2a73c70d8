// The sampler's capture of the square around the sampled point.
#pragma once

#include <windows.h>

namespace tintora {

// The mean colour of the side x side square centred on point (side odd and above 1): copied
// from the screen, layered windows in it, into a 32-bit bitmap made for this capture (one copy
// for each monitor the square meets, so one inside a monitor), summed in one pass; pixels on no
// monitor are left out. CLR_INVALID when the bitmap cannot be made.
COLORREF CaptureAreaMean(HDC screen, POINT point, int side);

}  // namespace tintora
