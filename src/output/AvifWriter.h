#pragma once

#include <cstdint>

class QIODevice;

namespace sm {

class Bitmap;

// The largest AVIF picture the library's own readers take by default.
constexpr int kMaxAvifSide = 32768;
constexpr std::int64_t kMaxAvifPixels = std::int64_t(16384) * 16384;

// Throws EncodeError, naming the limits, for a picture beyond them.
void RequireAvifSize(int width, int height);

// Encodes a 24-bit picture as an AVIF file (8-bit 4:2:0 sRGB) at the quality (0 to
// 100, as a JPEG quality; values beyond are taken as the nearest end). Throws
// EncodeError for a picture of another depth or beyond the limits above, when the
// library fails or the device refuses bytes.
void WriteAvif(const Bitmap& picture, int quality, QIODevice& out);

}  // namespace sm
