#include "imaging/To24Bits.h"

#include <utility>

namespace sm {

void ConvertTo24Bits(Bitmap& bitmap)
{
    if (bitmap.bitsPerPixel() == 24)
        return;
    Bitmap converted(bitmap.width(), bitmap.height(), 24);
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            converted.setPixelRgb(x, y, bitmap.pixelRgb(x, y));
    bitmap = std::move(converted);
}

}  // namespace sm
