#pragma once

#include <QImage>

#include "common/Bitmap.h"

namespace sm {

// The one place where our bitmaps and the toolkit's images meet.

// A 32-bit opaque image (QImage::Format_RGB32) with the bitmap's pixels, whatever its
// depth (palettes looked up); a null image for an empty bitmap.
QImage ToQImage(const Bitmap& bitmap);

// A 24-bit bitmap with the image's pixels (alpha dropped); an empty bitmap for a null image.
Bitmap FromQImage(const QImage& image);

}  // namespace sm
