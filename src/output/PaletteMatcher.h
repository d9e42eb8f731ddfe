#pragma once

#include <cstdint>
#include <vector>

#include "common/Bitmap.h"

namespace sm {

// Finds the palette entry nearest to a colour (squared distance in R, G, B; ties go to
// the lowest index): exactly the entry a search of the whole palette would find, but
// looking only at the few entries that can win inside the colour's 8 x 8 x 8 cell,
// worked out the first time a cell is met. One matcher serves one palette.
class PaletteMatcher {
public:
    // Throws std::invalid_argument for an empty palette or one of more than 256 entries.
    explicit PaletteMatcher(const std::vector<PaletteEntry>& palette);

    std::uint8_t nearest(int red, int green, int blue)
    {
        const unsigned cell = (unsigned(red) >> 3 << 10) | (unsigned(green) >> 3 << 5) | (unsigned(blue) >> 3);
        if (cellCount_[cell] == 0)
            fillCell(cell);
        const std::uint8_t* candidate = candidates_.data() + cellStart_[cell];
        const unsigned count = cellCount_[cell];
        if (count == 1)
            return candidate[0];
        std::uint8_t best = candidate[0];
        int bestDistance = distance(best, red, green, blue);
        for (unsigned i = 1; i < count; ++i) {
            const int d = distance(candidate[i], red, green, blue);
            if (d < bestDistance) {
                bestDistance = d;
                best = candidate[i];
            }
        }
        return best;
    }

private:
    int distance(unsigned index, int red, int green, int blue) const
    {
        const int dr = red - red_[index], dg = green - green_[index], db = blue - blue_[index];
        return dr * dr + dg * dg + db * db;
    }
    void fillCell(unsigned cell);

    std::vector<int> red_, green_, blue_;
    std::vector<std::uint32_t> cellStart_;
    std::vector<std::uint16_t> cellCount_;  // 0 until the cell's candidates are known
    std::vector<std::uint8_t> candidates_;
};

}  // namespace sm
