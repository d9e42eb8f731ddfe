#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sm {

// One palette entry, in the byte order of a device-independent bitmap's colour table.
struct PaletteEntry {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    std::uint8_t reserved = 0;
    friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

// A picture in memory: width x height pixels of 1, 4, 8, 16 (5-6-5), 24 (B, G, R) or
// 32 (B, G, R, X) bits, rows padded to 4 bytes, row 0 at the top. Formats of 8 bits
// or fewer use the palette. Copies are deep. A 0 x 0 bitmap is "empty".
class Bitmap {
public:
    Bitmap() = default;
    // Zero-filled pixels. Throws std::invalid_argument for an unsupported depth or a
    // negative size, std::length_error when the size cannot be addressed and
    // std::bad_alloc when the memory cannot be had.
    Bitmap(int width, int height, int bitsPerPixel = 24);

    int width() const { return width_; }
    int height() const { return height_; }
    int bitsPerPixel() const { return bitsPerPixel_; }
    bool isEmpty() const { return width_ == 0 || height_ == 0; }
    // Bytes per row, padded to a multiple of 4.
    std::size_t stride() const { return stride_; }
    std::size_t byteSize() const { return pixels_.size(); }

    std::uint8_t* row(int y) { return pixels_.data() + stride_ * static_cast<std::size_t>(y); }
    const std::uint8_t* row(int y) const { return pixels_.data() + stride_ * static_cast<std::size_t>(y); }
    std::uint8_t* bits() { return pixels_.data(); }
    const std::uint8_t* bits() const { return pixels_.data(); }

    std::vector<PaletteEntry>& palette() { return palette_; }
    const std::vector<PaletteEntry>& palette() const { return palette_; }

    // New size, same depth and palette; the pixels are zero afterwards.
    void setSize(int width, int height);
    // New depth, same size; the pixels are zero afterwards (no conversion).
    void setBitsPerPixel(int bitsPerPixel);

    // The colour of one pixel as 0x00RRGGBB, whatever the depth (palette looked up,
    // 5-6-5 expanded by bit replication). Coordinates must be inside the bitmap.
    std::uint32_t pixelRgb(int x, int y) const;
    // Writes a 24- or 32-bit pixel from 0x00RRGGBB; other depths are left alone.
    void setPixelRgb(int x, int y, std::uint32_t rgb);

    static std::size_t strideFor(int width, int bitsPerPixel);
    static bool isSupportedDepth(int bitsPerPixel);

    friend bool operator==(const Bitmap&, const Bitmap&) = default;

private:
    void allocate(int width, int height, int bitsPerPixel);

    int width_ = 0;
    int height_ = 0;
    int bitsPerPixel_ = 24;
    std::size_t stride_ = 0;
    std::vector<std::uint8_t> pixels_;
    std::vector<PaletteEntry> palette_;
};

}  // namespace sm
