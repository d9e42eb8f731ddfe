#pragma once

#include <cstdint>

#include "common/Bitmap.h"

namespace sm::test {

// A small picture whose every pixel carries a number, to tell frames apart.
inline Bitmap MarkedFrame(int mark, int width = 8, int height = 6)
{
    Bitmap frame(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            frame.setPixelRgb(x, y, std::uint32_t(mark) & 0xFFFFFF);
    return frame;
}

inline int MarkOf(const Bitmap& frame) { return int(frame.pixelRgb(0, 0)); }

}  // namespace sm::test
