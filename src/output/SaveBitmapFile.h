#pragma once

#include <QString>

#include "common/Bitmap.h"
#include "settings/Settings.h"

namespace sm {

struct Encoders;

// Writes the picture as fileName in the format settings.SaveFormat (ImageFormatFor),
// with the format's setting (JpgCompress or PngCompress, low 8 bits; MaxColor).
// When AddTimeStamp is on and timeLabel is not empty, the label is stamped on the
// picture first (TimeFont, TimePosit, TimeTrans, with shadow), so the bitmap carries it
// afterwards; a failed stamp is ignored. A BMP leaves its converted copy in workBitmap.
// Returns false, without a message, when the file could not be written (why goes into
// *error when given); an existing file of that name is then left as it was and no
// partial file remains.
bool SaveBitmapFile(Bitmap& bitmap, const QString& fileName, const QString& timeLabel, const AppSettings& settings,
                    Encoders& encoders, Bitmap& workBitmap, QString* error = nullptr);

}  // namespace sm
