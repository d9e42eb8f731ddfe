#pragma once

class QIODevice;

namespace sm {

class Bitmap;

// The largest side a WebP picture can have.
constexpr int kMaxWebpSide = 16383;

// Throws EncodeError, naming the limit, for a picture a WebP file cannot hold.
void RequireWebpSize(int width, int height);

// Encodes a 24-bit picture as a lossy WebP file at the quality (0 to 100; values beyond
// are taken as the nearest end) with the encoder's method 4. Throws EncodeError for a
// picture of another depth or beyond kMaxWebpSide, when the library fails or the device
// refuses bytes.
void WriteWebp(const Bitmap& picture, int quality, QIODevice& out);

}  // namespace sm
