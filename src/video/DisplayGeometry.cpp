#include "video/DisplayGeometry.h"

#include <cmath>
#include <utility>

extern "C" {
#include <libavutil/display.h>
}

namespace sm {
namespace {

// The clockwise quarter turns a display matrix asks for; odd angles round to the nearest.
int ClockwiseDegrees(const std::int32_t* matrix)
{
    if (!matrix)
        return 0;
    const double counterClockwise = av_display_rotation_get(matrix);
    if (std::isnan(counterClockwise))
        return 0;
    const long quarterTurns = std::lround(-counterClockwise / 90.0);
    return int(((quarterTurns % 4) + 4) % 4) * 90;
}

}  // namespace

DisplayGeometry ComputeDisplayGeometry(int codedWidth, int codedHeight, int sarNum, int sarDen,
                                       const std::int32_t* displayMatrix)
{
    DisplayGeometry g;
    g.codedWidth = codedWidth;
    g.codedHeight = codedHeight;
    g.stretchedWidth = codedWidth;
    g.stretchedHeight = codedHeight;
    if (sarNum > 0 && sarDen > 0 && sarNum != sarDen) {
        // Truncated, as the command-line tools size a stretched picture.
        const std::int64_t stretched = std::int64_t(codedWidth) * sarNum / sarDen;
        if (stretched >= 1 && stretched <= kMaxDisplaySide)
            g.stretchedWidth = int(stretched);
    }
    g.clockwiseDegrees = ClockwiseDegrees(displayMatrix);
    g.displayWidth = g.stretchedWidth;
    g.displayHeight = g.stretchedHeight;
    if (g.clockwiseDegrees == 90 || g.clockwiseDegrees == 270)
        std::swap(g.displayWidth, g.displayHeight);
    return g;
}

}  // namespace sm
