#include "output/ImageFormats.h"

#include <QIODevice>

#include "output/BmpWriter.h"
#include "output/ColorDepth.h"
#include "output/Encoders.h"
#include "output/TiffWriter.h"

namespace sm {

namespace {

// The picture itself when the JPEG and PNG encoders take it, else a 24-bit copy.
const Bitmap& ColourPicture(const Bitmap& picture, Bitmap& copy)
{
    if (picture.bitsPerPixel() == 24 || picture.bitsPerPixel() == 32)
        return picture;
    copy = ConvertToDepth(picture, 24);
    return copy;
}

void WriteJpeg(const Bitmap& picture, int quality, Encoders& encoders, Bitmap&, QIODevice& out)
{
    Bitmap copy;
    encoders.jpeg.setQuality(quality & 0xFF);
    encoders.jpeg.encode(ColourPicture(picture, copy), out);
}

void WritePng(const Bitmap& picture, int level, Encoders& encoders, Bitmap&, QIODevice& out)
{
    Bitmap copy;
    encoders.png.setCompressionLevel(level & 0xFF);
    encoders.png.encode(ColourPicture(picture, copy), out);
}

void WriteBmpFile(const Bitmap& picture, int maxColor, Encoders&, Bitmap& workBitmap, QIODevice& out)
{
    workBitmap = ConvertToDepth(picture, BmpDepthForMaxColor(maxColor));
    WriteBmp(workBitmap, out);
}

void WriteGifFile(const Bitmap& picture, int, Encoders& encoders, Bitmap&, QIODevice& out)
{
    encoders.gif.encode(picture, out);
}

void WriteTifFile(const Bitmap& picture, int, Encoders&, Bitmap&, QIODevice& out) { WriteTiffStream(picture, out); }

const ImageFormat kFormats[] = {
    {0, ".jpg", &AppSettings::JpgCompress, &WriteJpeg},
    {1, ".png", &AppSettings::PngCompress, &WritePng},
    {2, ".bmp", &AppSettings::MaxColor, &WriteBmpFile},
    {3, ".gif", nullptr, &WriteGifFile},
    {4, ".tif", nullptr, &WriteTifFile},
};

}  // namespace

const ImageFormat& ImageFormatFor(int saveFormat)
{
    if (saveFormat >= 0 && saveFormat < static_cast<int>(std::size(kFormats)))
        return kFormats[saveFormat];
    return kFormats[0];
}

QString FileExtensionFor(int saveFormat) { return QString::fromLatin1(ImageFormatFor(saveFormat).extension); }

}  // namespace sm
