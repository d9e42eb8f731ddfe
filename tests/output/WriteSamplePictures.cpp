// Writes one picture in every format at every setting of that format into a folder,
// for checking the files with other programs (scripts/check-with-identify.sh). Names:
// jpg-<quality>.jpg, png-<level>.png, bmp-<MaxColor>.bmp, gif.gif, tif.tif.

#include <cstdio>

#include <QDir>
#include <QString>

#include "TestPictures.h"
#include "output/Encoders.h"
#include "output/ImageFormats.h"
#include "output/SaveBitmapFile.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    // An odd width, so that every row of every depth needs padding; gradients with a
    // band of noise, so that nothing is trivially flat.
    sm::Bitmap picture = sm::test::GradientPicture(97, 61);
    const sm::Bitmap noise = sm::test::NoisePicture(97, 10, 3);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 97; ++x)
            picture.setPixelRgb(x, 20 + y, noise.pixelRgb(x, y));

    sm::Encoders encoders;
    sm::AppSettings settings;
    bool allWritten = true;
    auto save = [&](int saveFormat, int sm::AppSettings::*setting, int value, const QString& name) {
        settings.SaveFormat = saveFormat;
        if (setting)
            settings.*setting = value;
        const QString path = folder.filePath(name + sm::FileExtensionFor(saveFormat));
        if (!sm::SaveBitmapFile(picture, path, settings, encoders)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            allWritten = false;
        }
    };
    for (int quality : {10, 100})
        save(0, &sm::AppSettings::JpgCompress, quality, QStringLiteral("jpg-%1").arg(quality));
    for (int level = 0; level <= 9; ++level)
        save(1, &sm::AppSettings::PngCompress, level, QStringLiteral("png-%1").arg(level));
    for (int maxColor : {0, 1, 2, 3, 8})
        save(2, &sm::AppSettings::MaxColor, maxColor, QStringLiteral("bmp-%1").arg(maxColor));
    save(3, nullptr, 0, QStringLiteral("gif"));
    save(4, nullptr, 0, QStringLiteral("tif"));
    return allWritten ? 0 : 1;
}
