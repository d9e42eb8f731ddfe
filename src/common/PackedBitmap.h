#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/Bitmap.h"

namespace sm {

// A bitmap kept losslessly compressed. Expanding gives back exactly the bitmap that was
// packed: its size, depth, palette and every byte of its rows, padding included. Video
// frames shrink to a small part of their size, and both ways are fast enough to run for
// every shot taken and every shot read.
class PackedBitmap {
public:
    PackedBitmap() = default;  // an empty bitmap
    // Throws std::bad_alloc when the memory for packing cannot be had.
    explicit PackedBitmap(const Bitmap& bitmap);

    int width() const { return width_; }
    int height() const { return height_; }
    int bitsPerPixel() const { return bitsPerPixel_; }
    bool isEmpty() const { return width_ == 0 || height_ == 0; }
    // Bytes the pixels take as stored.
    std::size_t packedSize() const { return packed_.size(); }

    // Makes the target an exact copy of the packed bitmap, reusing its memory when it
    // already has the size and depth.
    void expandInto(Bitmap& target) const;
    Bitmap expand() const;

private:
    int width_ = 0;
    int height_ = 0;
    int bitsPerPixel_ = 24;
    std::vector<PaletteEntry> palette_;
    std::vector<std::uint8_t> packed_;
};

}  // namespace sm
