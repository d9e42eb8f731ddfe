#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <QByteArray>

#include "common/Bitmap.h"

namespace sm::test {

// Decoders that share no code with the writers: the reference libraries for JPEG, PNG
// and GIF, a small reader of our own for BMP. Each fails the calling test (through
// ADD_FAILURE) and returns an empty picture when the file does not decode.

// A JPEG file through libjpeg, as a 24-bit picture.
struct JpegFile {
    Bitmap picture;
    int components = 0;
    bool jfifMarker = false;
    bool progressive = false;
};
JpegFile DecodeJpeg(const QByteArray& file);

// A PNG file through libpng, as a 24-bit picture, with its header and chunk layout.
struct PngFile {
    Bitmap picture;
    int colorType = -1;
    int bitDepth = 0;
    int interlace = -1;
    std::vector<std::string> chunkNames;
    std::vector<std::uint32_t> idatSizes;
    std::vector<int> rowFilters;  // the filter byte of each row, from the inflated data
    bool storedOnly = false;      // every deflate block is a stored block
};
PngFile DecodePng(const QByteArray& file);

// A GIF file through giflib: the 8-bit picture with the global colour map as palette.
struct GifFile {
    Bitmap picture;
    int colorMapSize = 0;
};
GifFile DecodeGif(const QByteArray& file);

// A BMP file through our own reader, as the picture at its own depth, with the header
// fields.
struct BmpFile {
    Bitmap picture;
    std::uint32_t fileSizeField = 0;
    std::uint32_t pixelOffset = 0;
    std::uint32_t infoSize = 0;
    int bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::uint32_t colorsUsed = 0;
    std::vector<std::uint32_t> masks;  // the three BI_BITFIELDS masks, when present
};
BmpFile DecodeBmp(const QByteArray& file);

}  // namespace sm::test
