#pragma once

#include <vector>

#include "common/Bitmap.h"

namespace sm {

// The 256-entry palette of a GIF picture: the 20 fixed colours of the default system
// palette at 0-9 and 246-255, and at 10-245 the colours of a 236-leaf octree run over
// every pixel of the 24-bit picture, row by row (black where the picture has fewer).
std::vector<PaletteEntry> GifPaletteFor(const Bitmap& picture24);

// Maps every pixel of the 24-bit picture to the nearest palette colour with
// Floyd-Steinberg error diffusion and returns the 8-bit result carrying the palette.
Bitmap DitherToPalette(const Bitmap& picture24, const std::vector<PaletteEntry>& palette);

// Both steps: a 24-bit picture (other depths are converted first) reduced to the GIF
// palette and dithered.
Bitmap ReduceForGif(const Bitmap& picture);

}  // namespace sm
