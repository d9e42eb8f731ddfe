#include "output/ColorDepth.h"

#include <stdexcept>
#include <string>

#include "imaging/To24Bits.h"
#include "output/PaletteMatcher.h"
#include "output/Palettes.h"

namespace sm {

namespace {

Bitmap ToPalette(const Bitmap& source24, int bitsPerPixel, const std::vector<PaletteEntry>& palette)
{
    Bitmap result(source24.width(), source24.height(), bitsPerPixel);
    result.palette() = palette;
    PaletteMatcher matcher(palette);
    for (int y = 0; y < source24.height(); ++y) {
        const std::uint8_t* in = source24.row(y);
        std::uint8_t* out = result.row(y);
        for (int x = 0; x < source24.width(); ++x, in += 3) {
            const std::uint8_t index = matcher.nearest(in[2], in[1], in[0]);
            if (bitsPerPixel == 8)
                out[x] = index;
            else if (x & 1)
                out[x >> 1] |= index;
            else
                out[x >> 1] = std::uint8_t(index << 4);
        }
    }
    return result;
}

Bitmap To565(const Bitmap& source24)
{
    Bitmap result(source24.width(), source24.height(), 16);
    for (int y = 0; y < source24.height(); ++y) {
        const std::uint8_t* in = source24.row(y);
        std::uint8_t* out = result.row(y);
        for (int x = 0; x < source24.width(); ++x, in += 3, out += 2) {
            const unsigned v = (unsigned(in[2] >> 3) << 11) | (unsigned(in[1] >> 2) << 5) | unsigned(in[0] >> 3);
            out[0] = std::uint8_t(v);
            out[1] = std::uint8_t(v >> 8);
        }
    }
    return result;
}

}  // namespace

int BmpDepthForMaxColor(int maxColor)
{
    switch (maxColor) {
    case 0:
        return 4;
    case 1:
        return 8;
    case 2:
        return 16;
    default:
        return 24;
    }
}

Bitmap ConvertToDepth(const Bitmap& source, int bitsPerPixel)
{
    if (bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 16 && bitsPerPixel != 24)
        throw std::invalid_argument("No conversion to " + std::to_string(bitsPerPixel) + " bits per pixel");
    Bitmap source24 = source;
    ConvertTo24Bits(source24);
    switch (bitsPerPixel) {
    case 4:
        return ToPalette(source24, 4, StandardColors16());
    case 8:
        return ToPalette(source24, 8, HalftonePalette());
    case 16:
        return To565(source24);
    default:
        return source24;
    }
}

}  // namespace sm
