#pragma once

#include "common/Bitmap.h"

namespace sm {

// The bits per pixel a BMP file gets for the setting MaxColor: 0 gives 4 (the 16
// standard colours), 1 gives 8 (the halftone palette), 2 gives 16 (5-6-5), 3 and every
// other value 24.
int BmpDepthForMaxColor(int maxColor);

// A copy of the picture at 4 bits (each pixel the nearest of the 16 standard colours),
// 8 bits (the nearest halftone colour), 16 bits (5-6-5, the low bits dropped) or 24 bits.
// The source may have any depth. Throws std::invalid_argument for another depth.
Bitmap ConvertToDepth(const Bitmap& source, int bitsPerPixel);

}  // namespace sm
