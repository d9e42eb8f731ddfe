#pragma once

class QIODevice;

namespace sm {

class Bitmap;

// Writes an 8-bit palette picture (at most 256 palette entries, at most 65535 pixels
// each way) as a GIF file. Throws EncodeError for any other picture, for a size the
// format cannot hold and when the device refuses bytes.
void WriteGif(const Bitmap& indexed, QIODevice& out);

// Throws EncodeError when a GIF file cannot hold a picture of that size (1 to 65535
// pixels each way).
void RequireGifSize(int width, int height);

}  // namespace sm
