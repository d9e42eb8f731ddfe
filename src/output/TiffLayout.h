#pragma once

#include <cstdint>

namespace sm {

// Where everything goes in one of the three uncompressed TIFF layouts the writer
// produces. All offsets are from the start of the file.
struct TiffLayout {
    enum Kind { Bilevel, Palette, Rgb };
    Kind kind = Rgb;
    int bitsPerPixel = 24;    // in the file: 1, 4, 8, or 24 for RGB
    std::uint32_t width = 0;  // as written (4-bit rows are cut to a multiple of 4)
    std::uint32_t height = 0;
    std::uint32_t rowBytes = 0;    // one row in the strip, without padding
    std::uint32_t stripBytes = 0;  // rowBytes x height
    std::uint32_t colorMapEntries = 0;
    std::uint32_t colorMapOffset = 0;
    std::uint32_t xResolutionOffset = 0;
    std::uint32_t yResolutionOffset = 0;
    std::uint32_t bitsPerSampleOffset = 0;  // RGB only: the three SHORTs 8, 8, 8
    std::uint32_t softwareOffset = 0;
    std::uint32_t stripOffset = 0;
    std::uint32_t directoryOffset = 0;
    std::uint16_t directoryEntries = 0;
    std::uint32_t fileSize = 0;
};

// The layout for a bitmap of width x height pixels at bitsPerPixel 1, 4, 8, 24 or 32
// (32 is written as 24). Throws std::length_error when a side exceeds 65535 or the file
// would not fit the format's 32-bit offsets, std::invalid_argument for an empty
// picture, a 4-bit picture narrower than 4 pixels (nothing would remain of its
// rows) or another depth.
TiffLayout PlanTiffLayout(int width, int height, int bitsPerPixel);

}  // namespace sm
