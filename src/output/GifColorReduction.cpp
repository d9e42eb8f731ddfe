#include "output/GifColorReduction.h"

#include <algorithm>
#include <stdexcept>

#include "imaging/To24Bits.h"
#include "output/OctreeQuantizer.h"
#include "output/PaletteMatcher.h"
#include "output/Palettes.h"

namespace sm {

namespace {

constexpr int kQuantisedColors = 236;

inline int Clamp255(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

}  // namespace

std::vector<PaletteEntry> GifPaletteFor(const Bitmap& picture24)
{
    OctreeQuantizer octree(kQuantisedColors);
    octree.addPicture(picture24);
    std::vector<PaletteEntry> quantised = octree.palette();
    quantised.resize(kQuantisedColors);

    const std::vector<PaletteEntry>& fixed = DefaultPaletteFixedColors();
    std::vector<PaletteEntry> palette(fixed.begin(), fixed.begin() + 10);
    palette.insert(palette.end(), quantised.begin(), quantised.end());
    palette.insert(palette.end(), fixed.begin() + 10, fixed.end());
    return palette;
}

Bitmap DitherToPalette(const Bitmap& picture24, const std::vector<PaletteEntry>& palette)
{
    if (picture24.bitsPerPixel() != 24)
        throw std::invalid_argument("Dithering reads 24-bit pictures");
    const int width = picture24.width();
    Bitmap result(width, picture24.height(), 8);
    result.palette() = palette;
    PaletteMatcher matcher(palette);

    // Errors carried to the current and the next row, in sixteenths, one slot of margin
    // on each side so that the edges need no tests.
    const std::size_t slots = 3 * (static_cast<std::size_t>(width) + 2);
    std::vector<int> current(slots, 0), next(slots, 0);
    for (int y = 0; y < picture24.height(); ++y) {
        const std::uint8_t* in = picture24.row(y);
        std::uint8_t* out = result.row(y);
        std::fill(next.begin(), next.end(), 0);
        int* here = current.data() + 3;
        int* below = next.data() + 3;
        for (int x = 0; x < width; ++x, in += 3, here += 3, below += 3) {
            const int r = Clamp255(in[2] + ((here[0] + 8) >> 4));
            const int g = Clamp255(in[1] + ((here[1] + 8) >> 4));
            const int b = Clamp255(in[0] + ((here[2] + 8) >> 4));
            const std::uint8_t index = matcher.nearest(r, g, b);
            out[x] = index;
            const PaletteEntry& chosen = palette[index];
            const int error[3] = {r - chosen.red, g - chosen.green, b - chosen.blue};
            for (int c = 0; c < 3; ++c) {
                here[3 + c] += 7 * error[c];
                below[-3 + c] += 3 * error[c];
                below[c] += 5 * error[c];
                below[3 + c] += error[c];
            }
        }
        std::swap(current, next);
    }
    return result;
}

Bitmap ReduceForGif(const Bitmap& picture)
{
    if (picture.bitsPerPixel() == 24)
        return DitherToPalette(picture, GifPaletteFor(picture));
    Bitmap picture24 = picture;
    ConvertTo24Bits(picture24);
    return DitherToPalette(picture24, GifPaletteFor(picture24));
}

}  // namespace sm
