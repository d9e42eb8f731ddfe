#pragma once

#include <QSize>

#include "settings/Settings.h"

namespace sm {

// The pixel size of a thumbnail sheet's tile grid: ThumbCols x ThumbRows tiles of
// ThumbWidth x ThumbHeight with a gap of ThumbSpace between the tiles and around
// them (120 x 90 tiles, 3 x 4, gap 3 give 372 x 375). Throws std::overflow_error
// when a side does not fit an int.
QSize SheetPixelSize(const AppSettings& settings);

}  // namespace sm
