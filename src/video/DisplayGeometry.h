#pragma once

#include <cstdint>

namespace sm {

// How a coded picture is turned into the picture a viewer is meant to see: stretched
// to square pixels, then turned clockwise by a multiple of 90 degrees.
struct DisplayGeometry {
    int codedWidth = 0;
    int codedHeight = 0;
    // The coded picture stretched to square pixels (the width truncated), before turning.
    int stretchedWidth = 0;
    int stretchedHeight = 0;
    int clockwiseDegrees = 0;  // 0, 90, 180 or 270
    // The final size: the stretched size, swapped for a quarter turn.
    int displayWidth = 0;
    int displayHeight = 0;
};

// The largest side a displayed picture may have; a sample aspect ratio that would
// stretch a picture beyond it is taken as 1:1.
inline constexpr int kMaxDisplaySide = 16384;

// Geometry for a coded size, a sample aspect ratio (0 or negative terms: square pixels)
// and an optional display matrix (nine 16.16/2.30 fixed-point terms, or nullptr).
DisplayGeometry ComputeDisplayGeometry(int codedWidth, int codedHeight, int sarNum, int sarDen,
                                       const std::int32_t* displayMatrix);

}  // namespace sm
