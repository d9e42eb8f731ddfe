#pragma once

class QIODevice;

namespace sm {

class Bitmap;

// Writes an 8-bit palette picture (at most 256 palette entries, at most 65535 pixels
// each way) as a GIF file. Throws EncodeError for any other picture, for a size the
// format cannot hold and when the device refuses bytes.
void WriteGif(const Bitmap& indexed, QIODevice& out);

// Reduces any picture to the GIF palette with Floyd-Steinberg dithering and writes it.
class GifEncoder {
public:
    void encode(const Bitmap& picture, QIODevice& out) const;
};

}  // namespace sm
