#pragma once

class QIODevice;

namespace sm {

class Bitmap;

// A PNG encoder for colour pictures: colour type 2 with 8 bits per sample, no
// interlacing, filter Sub on every row, image data in IDAT chunks of at most 65535 bytes.
class PngEncoder {
public:
    // The deflate level, 0 (stored, no compression) to 9; larger values are taken as 9,
    // smaller as 0.
    void setCompressionLevel(int level);
    int compressionLevel() const { return level_; }

    // Encodes a non-empty 24- or 32-bit picture (the fourth byte is dropped). Throws
    // EncodeError for any other picture, when the compressor fails and when the device
    // refuses bytes; std::bad_alloc when memory runs out.
    void encode(const Bitmap& picture, QIODevice& out) const;

private:
    int level_ = 7;
};

}  // namespace sm
