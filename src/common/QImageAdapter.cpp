#include "common/QImageAdapter.h"

#include <cstdint>
#include <cstring>

namespace sm {

QImage ToQImage(const Bitmap& bitmap)
{
    if (bitmap.isEmpty())
        return {};
    // Converted here rather than by the toolkit, which hands large pictures to a pool of
    // threads of its own: the windows' pictures are made on the UI thread alone.
    QImage image(bitmap.width(), bitmap.height(), QImage::Format_RGB32);
    for (int y = 0; y < bitmap.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        if (bitmap.bitsPerPixel() == 24) {
            const std::uint8_t* bgr = bitmap.row(y);
            for (int x = 0; x < bitmap.width(); ++x, bgr += 3)
                line[x] = 0xFF000000u | QRgb(bgr[2]) << 16 | QRgb(bgr[1]) << 8 | bgr[0];
        } else {
            for (int x = 0; x < bitmap.width(); ++x)
                line[x] = 0xFF000000u | bitmap.pixelRgb(x, y);
        }
    }
    return image;
}

Bitmap FromQImage(const QImage& image)
{
    if (image.isNull())
        return {};
    const QImage bgr = image.convertToFormat(QImage::Format_BGR888);
    Bitmap bitmap(bgr.width(), bgr.height(), 24);
    const std::size_t rowBytes = std::size_t(bgr.width()) * 3;
    for (int y = 0; y < bgr.height(); ++y)
        std::memcpy(bitmap.row(y), bgr.constScanLine(y), rowBytes);
    return bitmap;
}

}  // namespace sm
