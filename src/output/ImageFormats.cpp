#include "output/ImageFormats.h"

#include <QIODevice>

#include "output/AvifWriter.h"
#include "output/BmpWriter.h"
#include "output/ColorDepth.h"
#include "output/Encoders.h"
#include "output/GifColorReduction.h"
#include "output/GifWriter.h"
#include "output/TiffWriter.h"
#include "output/WebpWriter.h"

namespace sm {

namespace {

constexpr std::uint64_t kColourDepths = DepthBit(24) | DepthBit(32);
constexpr std::uint64_t kTiffDepths = DepthBit(1) | DepthBit(4) | DepthBit(8) | DepthBit(24) | DepthBit(32);

void WriteJpeg(const Bitmap& picture, int quality, Encoders& encoders, QIODevice& out)
{
    encoders.jpeg.setQuality(quality & 0xFF);
    encoders.jpeg.encode(picture, out);
}

void WritePng(const Bitmap& picture, int level, Encoders& encoders, QIODevice& out)
{
    encoders.png.setCompressionLevel(level & 0xFF);
    encoders.png.encode(picture, out);
}

void WriteBmpFile(const Bitmap& picture, int, Encoders&, QIODevice& out) { WriteBmp(picture, out); }

void WriteGifFile(const Bitmap& picture, int, Encoders&, QIODevice& out) { WriteGif(picture, out); }

void WriteTifFile(const Bitmap& picture, int, Encoders&, QIODevice& out) { WriteTiffStream(picture, out); }

void WriteWebpFile(const Bitmap& picture, int quality, Encoders&, QIODevice& out)
{
    WriteWebp(picture, quality & 0xFF, out);
}

void WriteAvifFile(const Bitmap& picture, int quality, Encoders&, QIODevice& out)
{
    WriteAvif(picture, quality & 0xFF, out);
}

// BMP and GIF take no picture as it is: even one already at the depth asked for is
// mapped onto the format's own palette.
const ImageFormat kFormats[] = {
    {0, ".jpg", &AppSettings::JpgCompress, kColourDepths, PictureConversion::To24Bits, &WriteJpeg},
    {1, ".png", &AppSettings::PngCompress, kColourDepths, PictureConversion::To24Bits, &WritePng},
    {2, ".bmp", &AppSettings::MaxColor, 0, PictureConversion::ToMaxColorDepth, &WriteBmpFile},
    {3, ".gif", nullptr, 0, PictureConversion::ToGifPalette, &WriteGifFile},
    {4, ".tif", nullptr, kTiffDepths, PictureConversion::To24Bits, &WriteTifFile},
    {5, ".webp", &AppSettings::JpgCompress, DepthBit(24), PictureConversion::To24Bits, &WriteWebpFile, &RequireWebpSize,
     true},
    {6, ".avif", &AppSettings::JpgCompress, DepthBit(24), PictureConversion::To24Bits, &WriteAvifFile, &RequireAvifSize,
     true},
};

}  // namespace

const ImageFormat& ImageFormatFor(int saveFormat)
{
    if (saveFormat >= 0 && saveFormat < static_cast<int>(std::size(kFormats)))
        return kFormats[saveFormat];
    return kFormats[0];
}

void RequireFormatSize(const ImageFormat& format, int width, int height)
{
    if (format.requireSize)
        format.requireSize(width, height);
}

QString FileExtensionFor(int saveFormat) { return QString::fromLatin1(ImageFormatFor(saveFormat).extension); }

const Bitmap& PictureForFormat(const Bitmap& picture, const ImageFormat& format, int settingValue, Bitmap& converted)
{
    const int depth = picture.bitsPerPixel();
    if (depth >= 0 && depth <= 32 && (format.acceptedDepths & DepthBit(depth)))
        return picture;
    switch (format.conversion) {
    case PictureConversion::To24Bits:
        converted = ConvertToDepth(picture, 24);
        break;
    case PictureConversion::ToMaxColorDepth:
        converted = ConvertToDepth(picture, BmpDepthForMaxColor(settingValue));
        break;
    case PictureConversion::ToGifPalette:
        // A picture the format cannot hold is refused before the costly reduction.
        RequireGifSize(picture.width(), picture.height());
        converted = ReduceForGif(picture);
        break;
    }
    return converted;
}

void WriteImage(const Bitmap& picture, const ImageFormat& format, int settingValue, Encoders& encoders, QIODevice& out)
{
    RequireFormatSize(format, picture.width(), picture.height());
    Bitmap converted;
    format.write(PictureForFormat(picture, format, settingValue, converted), settingValue, encoders, out);
}

}  // namespace sm
