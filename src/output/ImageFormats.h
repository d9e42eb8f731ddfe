#pragma once

#include <QString>

#include <cstdint>

#include "common/Bitmap.h"
#include "settings/Settings.h"

class QIODevice;

namespace sm {

struct Encoders;

// What a picture a writer does not take as it is becomes before the writer runs.
enum class PictureConversion {
    To24Bits,         // the same picture at 24 bits per pixel
    ToMaxColorDepth,  // the depth of the format's setting, MaxColor (BmpDepthForMaxColor)
    ToGifPalette,     // the GIF palette, dithered (ReduceForGif)
};

// The mask of acceptedDepths for one depth.
constexpr std::uint64_t DepthBit(int bitsPerPixel) { return std::uint64_t(1) << bitsPerPixel; }

// One picture file format: its SaveFormat index, its file name extension, the setting
// that tunes it, what its writer takes and the writer, which only encodes.
struct ImageFormat {
    int index;
    const char* extension;
    // The setting the format honours (its value is handed to the conversion and the
    // writer), or none.
    int AppSettings::*setting;
    // The depths the writer takes as they are (DepthBit of each); every other picture
    // is converted first.
    std::uint64_t acceptedDepths;
    PictureConversion conversion;
    // Encodes a picture the format accepts to the device. Throws on any failure.
    void (*write)(const Bitmap& picture, int settingValue, Encoders& encoders, QIODevice& out);
    // Throws EncodeError for a picture size the format cannot hold; null where the
    // writer or the conversion finds that out itself.
    void (*requireSize)(int width, int height) = nullptr;
    // Only the command line offers it: the main window's format box has the first five.
    bool commandLineOnly = false;
};

// The format of a SaveFormat value: 0 JPEG, 1 PNG, 2 BMP, 3 GIF, 4 TIF, 5 WebP, 6 AVIF,
// and JPEG for every other value (the "no format selected" values -5..-1 included).
const ImageFormat& ImageFormatFor(int saveFormat);

// Throws EncodeError when the format cannot hold a picture of that size, before any
// work is done on it.
void RequireFormatSize(const ImageFormat& format, int width, int height);

// The extension of the format of a SaveFormat value, with its dot (".jpg" and so on).
QString FileExtensionFor(int saveFormat);

// The one conversion step before a writer: the picture itself when the format's writer
// takes its depth, else a converted copy left in `converted`.
const Bitmap& PictureForFormat(const Bitmap& picture, const ImageFormat& format, int settingValue, Bitmap& converted);

// Converts the picture as the format needs and encodes it to the device. Throws on any
// failure.
void WriteImage(const Bitmap& picture, const ImageFormat& format, int settingValue, Encoders& encoders, QIODevice& out);

}  // namespace sm
