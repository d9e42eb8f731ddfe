#pragma once

#include <QString>

#include "common/Bitmap.h"
#include "common/SafeFileWrite.h"
#include "settings/Settings.h"

namespace sm {

struct Encoders;

// Writes the picture as fileName in the format settings.SaveFormat (ImageFormatFor),
// with the format's setting (JpgCompress or PngCompress, low 8 bits; MaxColor). The
// picture is written as it is: stamping a time label on a shot is the saving run's step
// before (capture/ShotFiles). Returns false, without a message, when the file could not
// be written (why goes into *failure when given); an existing file of that name is then
// left as it was and no partial file remains.
bool SaveBitmapFile(const Bitmap& bitmap, const QString& fileName, const AppSettings& settings, Encoders& encoders,
                    WriteFailure* failure = nullptr);

}  // namespace sm
