#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

#include "ReferenceDecoders.h"
#include "TestPictures.h"
#include "TiffReader.h"
#include "output/ColorDepth.h"
#include "output/Encoders.h"
#include "output/ImageFormats.h"
#include "output/SaveBitmapFile.h"
#include "support/FileSizeLimit.h"

namespace sm {
namespace {

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class SaveBitmapFileTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    QString PathOf(const QString& name) const { return folder.filePath(name); }

    bool Save(const Bitmap& picture, const QString& name)
    {
        return SaveBitmapFile(picture, PathOf(name), settings, encoders);
    }

    QStringList FilesInFolder() const { return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir folder;
    AppSettings settings;
    Encoders encoders;
    const Bitmap picture = test::NoisePicture(31, 17);
};

TEST_F(SaveBitmapFileTest, EveryFormatAtEverySettingIsReadBackByAnIndependentDecoder)
{
    struct Case {
        int saveFormat;
        int AppSettings::*setting;
        int value;
    };
    std::vector<Case> cases
        = {{0, &AppSettings::JpgCompress, 10}, {0, &AppSettings::JpgCompress, 100}, {3, nullptr, 0}, {4, nullptr, 0}};
    for (int level = 0; level <= 9; ++level)
        cases.push_back({1, &AppSettings::PngCompress, level});
    for (int maxColor : {0, 1, 2, 3, 8})
        cases.push_back({2, &AppSettings::MaxColor, maxColor});

    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "format " << c.saveFormat << " setting " << c.value);
        settings = AppSettings();
        settings.SaveFormat = c.saveFormat;
        if (c.setting)
            settings.*c.setting = c.value;
        Bitmap copy = picture;
        const QString name
            = QStringLiteral("shot_%1_%2%3").arg(c.saveFormat).arg(c.value).arg(FileExtensionFor(c.saveFormat));
        ASSERT_TRUE(Save(copy, name));
        const QByteArray file = ReadFile(PathOf(name));
        switch (c.saveFormat) {
        case 0: {
            const test::JpegFile jpeg = test::DecodeJpeg(file);
            EXPECT_EQ(jpeg.picture.width(), 31);
            EXPECT_EQ(jpeg.picture.height(), 17);
            break;
        }
        case 1:
            EXPECT_EQ(test::DecodePng(file).picture, picture) << "lossless";
            break;
        case 2: {
            const test::BmpFile bmp = test::DecodeBmp(file);
            const int bits = BmpDepthForMaxColor(c.value);
            EXPECT_EQ(bmp.bitCount, bits);
            EXPECT_EQ(bmp.picture, ConvertToDepth(picture, bits));
            if (bits == 24) {
                EXPECT_EQ(bmp.picture, picture) << "lossless";
            }
            break;
        }
        case 3: {
            const test::GifFile gif = test::DecodeGif(file);
            EXPECT_EQ(gif.picture.width(), 31);
            EXPECT_EQ(gif.colorMapSize, 256);
            break;
        }
        default: {
            test::TiffReader tiff(std::vector<std::uint8_t>(file.begin(), file.end()));
            ASSERT_EQ(tiff.width(), 31);
            ASSERT_EQ(tiff.height(), 17);
            for (int y = 0; y < 17; ++y)
                for (int x = 0; x < 31; ++x)
                    ASSERT_EQ(tiff.pixelRgb(x, y), picture.pixelRgb(x, y)) << "lossless";
        }
        }
    }
}

TEST_F(SaveBitmapFileTest, TifIgnoresTheOtherFormatsSettings)
{
    settings.SaveFormat = 4;
    Bitmap copy = picture;
    ASSERT_TRUE(Save(copy, "a.tif"));
    settings.JpgCompress = 10;
    settings.PngCompress = 0;
    settings.MaxColor = 0;
    ASSERT_TRUE(Save(copy, "b.tif"));
    EXPECT_EQ(ReadFile(PathOf("a.tif")), ReadFile(PathOf("b.tif")));
}

TEST_F(SaveBitmapFileTest, SaveFormatsOutsideTheTableWriteJpegNamedJpg)
{
    for (int saveFormat : {-1, -5, -6, 7, 99}) {
        settings.SaveFormat = saveFormat;
        EXPECT_EQ(FileExtensionFor(saveFormat), QStringLiteral(".jpg")) << saveFormat;
        Bitmap copy = picture;
        const QString name = QStringLiteral("odd%1.jpg").arg(saveFormat);
        ASSERT_TRUE(Save(copy, name)) << saveFormat;
        EXPECT_EQ(test::DecodeJpeg(ReadFile(PathOf(name))).picture.width(), 31) << saveFormat;
    }
    const char* extensions[] = {".jpg", ".png", ".bmp", ".gif", ".tif", ".webp", ".avif"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(FileExtensionFor(i), QString::fromLatin1(extensions[i]));
}

// The formats only the command line writes, read back by their own libraries' tools.
TEST_F(SaveBitmapFileTest, WebpAndAvifAreReadByTheirOwnReadersWithoutWarningsAtTheQualityAsked)
{
    const Bitmap gradient = test::GradientPicture(64, 48);
    const struct {
        int saveFormat;
        const char* reader;
    } cases[] = {{5, "dwebp"}, {6, "avifdec"}};
    for (const auto& c : cases) {
        qint64 sizes[2] = {};
        for (const int quality : {10, 100}) {
            SCOPED_TRACE(testing::Message() << c.reader << " at quality " << quality);
            settings.SaveFormat = c.saveFormat;
            settings.JpgCompress = quality;
            const QString name = QStringLiteral("q%1%2").arg(quality).arg(FileExtensionFor(c.saveFormat));
            ASSERT_TRUE(Save(gradient, name));
            sizes[quality == 100] = QFileInfo(PathOf(name)).size();
            const QString png = PathOf(name + ".png");
            QProcess reader;
            reader.start(QString::fromLatin1(c.reader),
                         c.saveFormat == 5 ? QStringList{PathOf(name), "-o", png} : QStringList{PathOf(name), png});
            ASSERT_TRUE(reader.waitForFinished(60'000));
            const QString said = QString::fromUtf8(reader.readAllStandardOutput() + reader.readAllStandardError());
            EXPECT_EQ(reader.exitCode(), 0) << said.toStdString();
            EXPECT_FALSE(said.contains(QStringLiteral("warn"), Qt::CaseInsensitive)) << said.toStdString();
            const Bitmap back = test::DecodePng(ReadFile(png)).picture;
            ASSERT_EQ(back.width(), 64);
            ASSERT_EQ(back.height(), 48);
            if (quality == 100) {
                long difference = 0;
                for (int y = 0; y < 48; ++y)
                    for (int x = 0; x < 64; ++x)
                        for (int shift : {0, 8, 16})
                            difference += std::abs(int(back.pixelRgb(x, y) >> shift & 0xFF)
                                                   - int(gradient.pixelRgb(x, y) >> shift & 0xFF));
                EXPECT_LT(difference / (64 * 48 * 3), 4) << "the colours come back";
            }
        }
        EXPECT_LT(sizes[0], sizes[1]) << c.reader;
    }
}

TEST_F(SaveBitmapFileTest, PicturesBeyondTheFormatsLimitsAreRefusedBeforeAnyFileIsMade)
{
    const struct {
        int saveFormat, width, height;
        const char* says;
    } cases[] = {
        {5, 16384, 2, "16383 pixels each way"},
        {5, 2, 16384, "16383 pixels each way"},
        {6, 32769, 2, "32768 pixels each way"},
    };
    for (const auto& c : cases) {
        settings.SaveFormat = c.saveFormat;
        WriteFailure failure;
        EXPECT_FALSE(SaveBitmapFile(Bitmap(c.width, c.height, 24), PathOf("big" + FileExtensionFor(c.saveFormat)),
                                    settings, encoders, &failure));
        EXPECT_TRUE(failure.SystemText.contains(QString::fromLatin1(c.says))) << failure.Message().toStdString();
    }
    EXPECT_TRUE(FilesInFolder().isEmpty());
}

TEST_F(SaveBitmapFileTest, AMissingFolderGivesFalseWithTheReasonAndNoFile)
{
    for (int saveFormat = 0; saveFormat < 5; ++saveFormat) {
        settings.SaveFormat = saveFormat;
        Bitmap copy = picture;
        const QString path = PathOf("missing/shot" + FileExtensionFor(saveFormat));
        WriteFailure failure;
        EXPECT_FALSE(SaveBitmapFile(copy, path, settings, encoders, &failure)) << saveFormat;
        EXPECT_EQ(failure.FileName, path);
        EXPECT_EQ(failure.SystemError, ENOENT);
    }
    EXPECT_FALSE(QFileInfo::exists(PathOf("missing")));
    EXPECT_TRUE(FilesInFolder().isEmpty());
}

TEST_F(SaveBitmapFileTest, AFailedWriteKeepsTheOldFileAndLeavesNothingBehind)
{
    QFile old(PathOf("shot.gif"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("the first run's picture");
    old.close();

    settings.SaveFormat = 3;
    Bitmap tooWide(65536, 2);
    EXPECT_FALSE(Save(tooWide, "shot.gif"));
    EXPECT_EQ(ReadFile(PathOf("shot.gif")), QByteArray("the first run's picture"));

    settings.SaveFormat = 0;
    Bitmap tooTall(3, 65501);
    EXPECT_FALSE(Save(tooTall, "shot.gif"));
    EXPECT_EQ(ReadFile(PathOf("shot.gif")), QByteArray("the first run's picture"));

    ASSERT_TRUE(QDir(folder.path()).mkdir("taken"));
    Bitmap copy = picture;
    EXPECT_FALSE(Save(copy, "taken")) << "a folder of that name is not replaced";
    EXPECT_EQ(FilesInFolder(), QStringList{"shot.gif"});

    // A good write replaces the old file, readable like any other file the user makes.
    ASSERT_TRUE(Save(copy, "shot.gif"));
    EXPECT_EQ(test::DecodeJpeg(ReadFile(PathOf("shot.gif"))).picture.width(), 31);
    EXPECT_TRUE(QFileInfo(PathOf("shot.gif")).permissions() & QFileDevice::ReadOther);
    EXPECT_EQ(FilesInFolder(), QStringList{"shot.gif"});
}

TEST_F(SaveBitmapFileTest, AFileCutShortByAFullDiskIsNeitherLeftNorTakenForWritten)
{
    // Cut before the first byte, inside the encoding, and at the last byte (which only
    // the final flush of the file meets); the pictures are large enough for the first
    // flushes to come while encoding.
    const Bitmap large = test::NoisePicture(300, 200);
    for (int saveFormat = 0; saveFormat < 5; ++saveFormat) {
        settings.SaveFormat = saveFormat;
        const QString name = "shot" + FileExtensionFor(saveFormat);
        Bitmap copy = large;
        ASSERT_TRUE(Save(copy, name));
        const qint64 size = QFileInfo(PathOf(name)).size();
        for (const qint64 limit : {qint64(0), qint64(1000), size - 1}) {
            SCOPED_TRACE(testing::Message() << "format " << saveFormat << ", " << limit << " of " << size << " bytes");
            QFile old(PathOf(name));
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("the first run's picture");
            old.close();
            WriteFailure failure;
            {
                const test::FileSizeLimit full{rlim_t(limit)};
                copy = large;
                EXPECT_FALSE(SaveBitmapFile(copy, PathOf(name), settings, encoders, &failure));
            }
            EXPECT_EQ(failure.SystemError, EFBIG) << failure.Message().toStdString();
            EXPECT_EQ(failure.FileName, PathOf(name));
            EXPECT_EQ(ReadFile(PathOf(name)), QByteArray("the first run's picture"));
            EXPECT_EQ(FilesInFolder(), QStringList{name}) << "no temporary file is left";
        }
        QFile::remove(PathOf(name));
    }
}

}  // namespace
}  // namespace sm
