#include "sheet/SheetPixelSize.h"

#include <cstdint>
#include <limits>
#include <stdexcept>

namespace sm {

namespace {

// Settings come from a file anyone can edit, so the sums are taken in 64 bits.
int GridSide(std::int64_t cell, std::int64_t count, std::int64_t gap)
{
    const std::int64_t side = cell * count + gap * (count + 1);
    if (side < std::numeric_limits<int>::min() || side > std::numeric_limits<int>::max())
        throw std::overflow_error("Thumbnail sheet too large");
    return int(side);
}

}  // namespace

QSize SheetPixelSize(const AppSettings& settings)
{
    return QSize(GridSide(settings.ThumbWidth, settings.ThumbCols, settings.ThumbSpace),
                 GridSide(settings.ThumbHeight, settings.ThumbRows, settings.ThumbSpace));
}

}  // namespace sm
