#pragma once

#include "common/Bitmap.h"

namespace sm {

// Makes the bitmap 24 bits per pixel keeping its picture: palette indices are looked
// up, 16-bit pixels expanded, the fourth byte of 32-bit pixels dropped. The palette is
// cleared. A 24-bit bitmap is left as it is.
void ConvertTo24Bits(Bitmap& bitmap);

}  // namespace sm
