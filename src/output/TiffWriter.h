#pragma once

#include <QString>

#include "common/Bitmap.h"

class QIODevice;

namespace sm {

// Writes the bitmap as a baseline little-endian TIFF with one uncompressed strip:
// 24- and 32-bit pictures as 8-bit RGB, 4- and 8-bit ones with a colour map of 16 or
// 256 entries (missing palette entries black; 4-bit rows are cut to a multiple of 4
// pixels), 1-bit ones as black and white. A colour map holds no 16-bit picture: it is
// refused (the format table converts it to 24 bits first). Rows go from the top of the
// picture down. The offsets inside the file count from the device's current position,
// which must therefore be 0 on a random-access device. The bitmap is not changed.
// Throws std::length_error for a picture the format cannot hold (a side above 65535, a
// file of 4 GiB or more), std::invalid_argument for an empty one or one of another
// depth, EncodeError when a write fails.
void WriteTiffStream(const Bitmap& bitmap, QIODevice& stream);

// Writes the TIFF to a temporary file beside fileName and renames it into place once
// complete, so a failure leaves neither a partial file nor a damaged older one.
// Throws as WriteTiffStream, and FileWriteError when the file cannot be created.
void WriteTiffFile(const Bitmap& bitmap, const QString& fileName);

}  // namespace sm
