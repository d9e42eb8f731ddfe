#pragma once

#include <vector>

#include "common/Bitmap.h"

namespace sm {

// The 20 fixed colours of the default system palette, which 256-colour files keep at
// their places so that they show true on a display of 256 colours: the first ten are
// its entries 0-9, the last ten its entries 246-255.
const std::vector<PaletteEntry>& DefaultPaletteFixedColors();

// The 16 standard colours of a 4-bit picture, in their usual index order (black,
// maroon, green, olive, navy, purple, teal, grey, silver, red, lime, yellow, blue,
// fuchsia, aqua, white).
const std::vector<PaletteEntry>& StandardColors16();

// The 256-colour halftone palette, spread evenly over the colours so that any picture
// maps onto it without a palette of its own: the 20 fixed colours at 0-9 and 246-255,
// between them the 6-level colour cube (without the colours the fixed ones already
// hold) and a ramp of greys. No two entries are equal.
const std::vector<PaletteEntry>& HalftonePalette();

}  // namespace sm
