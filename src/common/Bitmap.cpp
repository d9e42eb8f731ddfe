#include "common/Bitmap.h"

#include <limits>
#include <stdexcept>
#include <string>

namespace sm {

bool Bitmap::isSupportedDepth(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        return true;
    default:
        return false;
    }
}

std::size_t Bitmap::strideFor(int width, int bitsPerPixel)
{
    const auto bits = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bitsPerPixel);
    return static_cast<std::size_t>(((bits + 31) / 32) * 4);
}

Bitmap::Bitmap(int width, int height, int bitsPerPixel) { allocate(width, height, bitsPerPixel); }

void Bitmap::allocate(int width, int height, int bitsPerPixel)
{
    if (!isSupportedDepth(bitsPerPixel))
        throw std::invalid_argument("Unsupported pixel depth: " + std::to_string(bitsPerPixel));
    if (width < 0 || height < 0)
        throw std::invalid_argument("Negative bitmap size");
    const std::size_t stride = strideFor(width, bitsPerPixel);
    // A row count times a row length that does not fit is refused before any allocation.
    if (height != 0 && stride > std::numeric_limits<std::ptrdiff_t>::max() / static_cast<std::size_t>(height))
        throw std::length_error("Bitmap too large");
    std::vector<std::uint8_t> pixels(stride * static_cast<std::size_t>(height));
    pixels_.swap(pixels);
    width_ = width;
    height_ = height;
    bitsPerPixel_ = bitsPerPixel;
    stride_ = stride;
}

void Bitmap::setSize(int width, int height) { allocate(width, height, bitsPerPixel_); }

void Bitmap::setBitsPerPixel(int bitsPerPixel) { allocate(width_, height_, bitsPerPixel); }

std::uint32_t Bitmap::pixelRgb(int x, int y) const
{
    const std::uint8_t* p = row(y);
    auto fromPalette = [this](unsigned index) -> std::uint32_t {
        if (index >= palette_.size())
            return 0;
        const PaletteEntry& e = palette_[index];
        return (std::uint32_t(e.red) << 16) | (std::uint32_t(e.green) << 8) | e.blue;
    };
    switch (bitsPerPixel_) {
    case 1:
        return fromPalette((p[x >> 3] >> (7 - (x & 7))) & 1);
    case 4:
        return fromPalette((x & 1) ? (p[x >> 1] & 0x0F) : (p[x >> 1] >> 4));
    case 8:
        return fromPalette(p[x]);
    case 16: {
        const unsigned v = p[2 * x] | (unsigned(p[2 * x + 1]) << 8);
        const unsigned r5 = (v >> 11) & 0x1F, g6 = (v >> 5) & 0x3F, b5 = v & 0x1F;
        const unsigned r = (r5 << 3) | (r5 >> 2), g = (g6 << 2) | (g6 >> 4), b = (b5 << 3) | (b5 >> 2);
        return (r << 16) | (g << 8) | b;
    }
    case 24:
        return (std::uint32_t(p[3 * x + 2]) << 16) | (std::uint32_t(p[3 * x + 1]) << 8) | p[3 * x];
    default:
        return (std::uint32_t(p[4 * x + 2]) << 16) | (std::uint32_t(p[4 * x + 1]) << 8) | p[4 * x];
    }
}

void Bitmap::setPixelRgb(int x, int y, std::uint32_t rgb)
{
    if (bitsPerPixel_ != 24 && bitsPerPixel_ != 32)
        return;
    const int bytes = bitsPerPixel_ / 8;
    std::uint8_t* p = row(y) + bytes * x;
    p[0] = std::uint8_t(rgb);
    p[1] = std::uint8_t(rgb >> 8);
    p[2] = std::uint8_t(rgb >> 16);
}

}  // namespace sm
