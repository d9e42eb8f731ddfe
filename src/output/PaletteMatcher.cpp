#include "output/PaletteMatcher.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <stdexcept>

namespace sm {

namespace {

constexpr unsigned kCellCount = 32 * 32 * 32;
constexpr int kCellSide = 8;

// Squared distances from a value to the nearest and the farthest point of [low, low + 7].
int NearestGap(int value, int low)
{
    const int high = low + kCellSide - 1;
    const int gap = value < low ? low - value : (value > high ? value - high : 0);
    return gap * gap;
}

int FarthestGap(int value, int low)
{
    const int high = low + kCellSide - 1;
    const int gap = std::max(std::abs(value - low), std::abs(value - high));
    return gap * gap;
}

}  // namespace

PaletteMatcher::PaletteMatcher(const std::vector<PaletteEntry>& palette)
    : cellStart_(kCellCount, 0), cellCount_(kCellCount, 0)
{
    if (palette.empty() || palette.size() > 256)
        throw std::invalid_argument("A palette needs 1 to 256 entries");
    for (const PaletteEntry& e : palette) {
        red_.push_back(e.red);
        green_.push_back(e.green);
        blue_.push_back(e.blue);
    }
}

void PaletteMatcher::fillCell(unsigned cell)
{
    const int redLow = int(cell >> 10) * kCellSide;
    const int greenLow = int((cell >> 5) & 31) * kCellSide;
    const int blueLow = int(cell & 31) * kCellSide;
    const std::size_t n = red_.size();

    // No colour of the cell is farther than `bound` from its nearest entry, so an entry
    // whose closest approach to the cell exceeds `bound` can never be the nearest.
    int bound = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < n; ++i)
        bound = std::min(bound, FarthestGap(red_[i], redLow) + FarthestGap(green_[i], greenLow)
                                    + FarthestGap(blue_[i], blueLow));
    cellStart_[cell] = static_cast<std::uint32_t>(candidates_.size());
    std::uint16_t count = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const int closest
            = NearestGap(red_[i], redLow) + NearestGap(green_[i], greenLow) + NearestGap(blue_[i], blueLow);
        if (closest <= bound) {
            candidates_.push_back(static_cast<std::uint8_t>(i));
            ++count;
        }
    }
    cellCount_[cell] = count;
}

}  // namespace sm
