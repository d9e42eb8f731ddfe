// The five file types of a saved sheet, read back by independent decoders.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "ReferenceDecoders.h"
#include "common/SafeFileWrite.h"
#include "output/Encoders.h"
#include "sheet/SheetFileTypes.h"

namespace sm {
namespace {

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Bitmap Sheet()
{
    Bitmap sheet(37, 21, 24);
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            sheet.setPixelRgb(x, y, std::uint32_t(x * 6 << 16 | y * 12 << 8 | 0x40));
    return sheet;
}

TEST(SheetFileTypes, EachEntryWritesItsOwnFormatWhateverTheNameSays)
{
    QTemporaryDir folder;
    AppSettings settings;
    Encoders encoders;
    const Bitmap sheet = Sheet();
    const QStringList filters = SheetSaveFilters();
    ASSERT_EQ(filters.size(), 5);
    for (int type = 0; type < kSheetFileTypeCount; ++type) {
        // Every file is named .jpg: the entry, not the extension, decides.
        const QString path = folder.filePath(QStringLiteral("sheet%1.jpg").arg(type));
        SaveSheetFile(sheet, path, type, settings, encoders);
        const QByteArray bytes = ReadFile(path);
        Bitmap read;
        switch (type) {
        case SheetJpeg:
            read = test::DecodeJpeg(bytes).picture;
            break;
        case SheetGif:
            read = test::DecodeGif(bytes).picture;
            break;
        case SheetPng:
            read = test::DecodePng(bytes).picture;
            EXPECT_EQ(read, sheet);
            break;
        default: {
            const test::BmpFile bmp = test::DecodeBmp(bytes);
            EXPECT_EQ(bmp.bitCount, type == SheetBmp8 ? 8 : 24) << filters[type].toStdString();
            read = bmp.picture;
        }
        }
        EXPECT_EQ(read.width(), 37) << filters[type].toStdString();
        EXPECT_EQ(read.height(), 21) << filters[type].toStdString();
    }
    EXPECT_EQ(SheetDefaultExtension(SheetGif), ".gif");
    EXPECT_EQ(SheetDefaultExtension(SheetBmp8), ".bmp");
    EXPECT_EQ(SheetDefaultExtension(SheetBmp24), ".bmp");
}

TEST(SheetFileTypes, AFailedWriteThrowsAndLeavesNoFile)
{
    QTemporaryDir folder;
    AppSettings settings;
    Encoders encoders;
    const QString path = folder.filePath(QStringLiteral("missing/sheet.png"));
    EXPECT_THROW(SaveSheetFile(Sheet(), path, SheetPng, settings, encoders), FileWriteError);
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

TEST(SheetFileTypes, ANameEndsInTheExtensionOfTheFormatWritten)
{
    const struct {
        const char* typed;
        int chosen;
        const char* fileName;
        int type;
    } cases[] = {
        {"/d/s2", SheetGif, "/d/s2.gif", SheetGif},
        {"/d/s4", SheetBmp8, "/d/s4.bmp", SheetBmp8},
        {"/d.x/holiday.2010", SheetPng, "/d.x/holiday.2010.png", SheetPng},  // no extension of a picture
        {"/d/s.JPE", SheetJpeg, "/d/s.JPE", SheetJpeg},
        {"/d/s.bmp", SheetBmp8, "/d/s.bmp", SheetBmp8},
        {"/d/s.bmp", SheetJpeg, "/d/s.bmp", SheetBmp24},
        {"/d/s.jpg", SheetPng, "/d/s.jpg", SheetJpeg},
        {"/d/s.gif", 9, "/d/s.gif", SheetGif},
        {"/d/s", 9, "/d/s.jpg", SheetJpeg},
    };
    for (const auto& c : cases) {
        const SheetSaveTarget target = SheetSaveTargetFor(QString::fromUtf8(c.typed), c.chosen);
        EXPECT_EQ(target.FileName, QString::fromUtf8(c.fileName)) << c.typed << " " << c.chosen;
        EXPECT_EQ(target.Type, c.type) << c.typed << " " << c.chosen;
    }
}

TEST(SheetFileTypes, ProposeTheVideoNameCutBeforeItsFirstDot)
{
    EXPECT_EQ(SheetFileNamePreset(QStringLiteral("/videos/holiday.2010.avi")), "holiday");
    EXPECT_EQ(SheetFileNamePreset(QStringLiteral("/videos/holiday")), "");
    EXPECT_EQ(SheetFileNamePreset(QString()), "");
}

}  // namespace
}  // namespace sm
