#include "common/QImageAdapter.h"

#include <cstring>

namespace sm {

QImage ToQImage(const Bitmap& bitmap)
{
    if (bitmap.isEmpty())
        return {};
    if (bitmap.bitsPerPixel() == 24) {
        const QImage view(bitmap.bits(), bitmap.width(), bitmap.height(), qsizetype(bitmap.stride()),
                          QImage::Format_BGR888);
        return view.convertToFormat(QImage::Format_RGB32);
    }
    QImage image(bitmap.width(), bitmap.height(), QImage::Format_RGB32);
    for (int y = 0; y < bitmap.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < bitmap.width(); ++x)
            line[x] = 0xFF000000u | bitmap.pixelRgb(x, y);
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
