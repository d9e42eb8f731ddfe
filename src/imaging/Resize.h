#pragma once

#include "common/Bitmap.h"
#include "common/ColorValue.h"

namespace sm {

// How ResizeBitmap brings a picture to the target size.
enum ResizeMode : int {
    ResizeStretch = 0,     // exactly width x height (0 and below)
    ResizeKeepAspect = 1,  // scaled to fit, centred, the rest filled (1 and above)
};

// Resizes the bitmap in place to width x height; it is 24 bits per pixel afterwards.
// Stretch mode scales to exactly that size; keep-aspect mode scales the picture to fit
// with its aspect ratio kept, centres it and fills the uncovered bands with fillColor.
// Returns false, leaving the bitmap unchanged, when the target size is not positive,
// the bitmap is empty or memory runs out; never throws.
bool ResizeBitmap(Bitmap& bitmap, int width, int height, int mode, ColorValue fillColor);

// The same with the result in target and the source left as it is, so a large picture
// need not be copied before it is scaled down. The source and target may be one bitmap.
bool ResizeBitmapInto(const Bitmap& source, Bitmap& target, int width, int height, int mode, ColorValue fillColor);

// Fills the destination, whose size the caller has set, with the source scaled by
// 16.16 fixed-point bilinear interpolation; the destination becomes 24 bits per pixel.
// Equal sizes copy the source. An empty destination is only made 24-bit. Throws
// std::invalid_argument when the source is empty and the destination is not.
void ResampleBilinear(const Bitmap& source, Bitmap& destination);

}  // namespace sm
