#pragma once

#include <cstdint>

class QIODevice;

namespace sm {

class Bitmap;

// Where the parts of a BMP file go: file header (14 bytes), info header (40 bytes),
// the three colour masks of a 16-bit picture, the palette of a picture of 8 bits or
// fewer (2^bits entries), then the pixel rows, bottom row first.
struct BmpLayout {
    std::uint32_t paletteEntries = 0;
    std::uint32_t pixelOffset = 0;
    std::uint32_t imageSize = 0;
    std::uint32_t fileSize = 0;
};

// The layout of a width x height picture of the given depth. Throws EncodeError when the
// picture is empty or its file would not fit the format's 32-bit size fields.
BmpLayout BmpLayoutFor(int width, int height, int bitsPerPixel);

// Writes the picture as it is (1, 4, 8, 16 with masks 0xF800/0x07E0/0x001F, 24 or 32
// bits) as a BMP file. Throws EncodeError as BmpLayoutFor does and when the device
// refuses bytes.
void WriteBmp(const Bitmap& picture, QIODevice& out);

}  // namespace sm
