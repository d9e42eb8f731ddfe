#pragma once

#include <QString>

#include "common/Bitmap.h"
#include "settings/Settings.h"

class QIODevice;

namespace sm {

struct Encoders;

// One picture file format: its SaveFormat index, its file name extension, the setting
// that tunes it and the writer that encodes a picture in it.
struct ImageFormat {
    int index;
    const char* extension;
    // The setting the format honours (its value is handed to `write`), or none.
    int AppSettings::*setting;
    // Encodes the picture to the device, converting a copy first where the format needs
    // another depth; BMP leaves its converted copy in workBitmap. Throws on any failure.
    void (*write)(const Bitmap& picture, int settingValue, Encoders& encoders, Bitmap& workBitmap, QIODevice& out);
};

// The format of a SaveFormat value: 0 JPEG, 1 PNG, 2 BMP, 3 GIF, 4 TIF, and JPEG for
// every other value (the "no format selected" values -5..-1 included).
const ImageFormat& ImageFormatFor(int saveFormat);

// The extension of the format of a SaveFormat value, with its dot (".jpg" and so on).
QString FileExtensionFor(int saveFormat);

}  // namespace sm
