#include "output/TiffLayout.h"

#include <limits>
#include <stdexcept>
#include <string>

namespace sm {

namespace {

constexpr std::uint64_t kHeaderBytes = 8;
constexpr std::uint64_t kRationalBytes = 8;
constexpr std::uint64_t kSoftwareBytes = 10;
constexpr std::uint64_t kBitsPerSampleBytes = 6;

std::uint64_t DirectoryBytes(std::uint64_t entries) { return 2 + 12 * entries + 4; }

// Checked narrowing: every offset and count of the format is a 32-bit field.
std::uint32_t Field(std::uint64_t value)
{
    if (value > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("Picture too large for a TIFF file");
    return std::uint32_t(value);
}

}  // namespace

TiffLayout PlanTiffLayout(int width, int height, int bitsPerPixel)
{
    if (width <= 0 || height <= 0)
        throw std::invalid_argument("Cannot write an empty picture as TIFF");
    // Width and height are stored as SHORTs.
    if (width > 65535 || height > 65535)
        throw std::length_error("Picture too large for a TIFF file: " + std::to_string(width) + " x "
                                + std::to_string(height));
    TiffLayout t;
    std::uint64_t w = std::uint64_t(width);
    const std::uint64_t h = std::uint64_t(height);
    std::uint64_t rowBytes = 0;
    switch (bitsPerPixel) {
    case 1:
        t.kind = TiffLayout::Bilevel;
        rowBytes = (w + 7) / 8;
        break;
    case 4:
        t.kind = TiffLayout::Palette;
        w = w / 4 * 4;
        if (w == 0)
            throw std::invalid_argument("A 4-bit picture narrower than 4 pixels cannot be written as TIFF");
        rowBytes = w / 2;
        break;
    case 8:
        t.kind = TiffLayout::Palette;
        rowBytes = w;
        break;
    case 24:
    case 32:
        t.kind = TiffLayout::Rgb;
        rowBytes = 3 * w;
        break;
    default:
        throw std::invalid_argument("No TIFF layout for " + std::to_string(bitsPerPixel) + " bits per pixel");
    }
    t.bitsPerPixel = t.kind == TiffLayout::Rgb ? 24 : bitsPerPixel;
    t.width = std::uint32_t(w);
    t.height = std::uint32_t(h);
    t.rowBytes = Field(rowBytes);
    const std::uint64_t strip = rowBytes * h;
    t.stripBytes = Field(strip);

    std::uint64_t at = kHeaderBytes;
    switch (t.kind) {
    case TiffLayout::Rgb:
        t.directoryEntries = 15;
        t.xResolutionOffset = Field(at);
        t.yResolutionOffset = Field(at += kRationalBytes);
        t.bitsPerSampleOffset = Field(at += kRationalBytes);
        t.softwareOffset = Field(at += kBitsPerSampleBytes);
        t.stripOffset = Field(at += kSoftwareBytes);
        at += strip;
        break;
    case TiffLayout::Palette:
        t.directoryEntries = 15;
        t.colorMapEntries = 1u << bitsPerPixel;
        t.colorMapOffset = Field(at);
        t.xResolutionOffset = Field(at += 6 * std::uint64_t(t.colorMapEntries));
        t.yResolutionOffset = Field(at += kRationalBytes);
        t.softwareOffset = Field(at += kRationalBytes);
        t.stripOffset = Field(at += kSoftwareBytes);
        at += strip;
        break;
    case TiffLayout::Bilevel:
        t.directoryEntries = 14;
        t.stripOffset = Field(at);
        t.xResolutionOffset = Field(at += strip);
        t.yResolutionOffset = Field(at += kRationalBytes);
        t.softwareOffset = Field(at += kRationalBytes);
        at += kSoftwareBytes;
        break;
    }
    t.directoryOffset = Field(at);
    t.fileSize = Field(at + DirectoryBytes(t.directoryEntries));
    return t;
}

}  // namespace sm
