#pragma once

#include <memory>

class QIODevice;

namespace sm {

class Bitmap;

// A baseline JFIF encoder with three colour components and the library's default
// tables and subsampling; one compressor is kept and reused for every picture.
class JpegEncoder {
public:
    JpegEncoder();
    ~JpegEncoder();
    JpegEncoder(const JpegEncoder&) = delete;
    JpegEncoder& operator=(const JpegEncoder&) = delete;

    // The quality scale of the library, 1 to 100 (0 is taken as 1, more than 100 as 100).
    void setQuality(int quality);
    int quality() const { return quality_; }

    // Encodes a 24- or 32-bit picture of 1 to 65500 pixels each way. Throws EncodeError
    // for any other picture, when the library fails or the device refuses bytes; the
    // encoder stays usable.
    void encode(const Bitmap& picture, QIODevice& out);

private:
    struct Compressor;
    std::unique_ptr<Compressor> compressor_;
    int quality_ = 75;
};

}  // namespace sm
