#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "TiffReader.h"
#include "common/Bitmap.h"
#include "output/EncodeError.h"
#include "output/Encoders.h"
#include "output/ImageFormats.h"
#include "output/TiffLayout.h"
#include "output/TiffWriter.h"

namespace sm {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes TiffBytes(const Bitmap& bitmap)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteTiffStream(bitmap, buffer);
    const QByteArray& data = buffer.data();
    return Bytes(data.begin(), data.end());
}

Bitmap RandomPicture(int w, int h, int bits, std::mt19937& rng)
{
    Bitmap b(w, h, bits);
    for (std::size_t i = 0; i < b.byteSize(); ++i)
        b.bits()[i] = std::uint8_t(rng());
    if (bits <= 8)
        for (int i = 0; i < (1 << bits); ++i)
            b.palette().push_back({std::uint8_t(rng()), std::uint8_t(rng()), std::uint8_t(rng()), 0});
    return b;
}

// Every pixel the reader decodes equals the bitmap's, over the written width.
void ExpectSamePixels(const test::TiffReader& tiff, const Bitmap& bitmap)
{
    ASSERT_EQ(tiff.height(), bitmap.height());
    for (int y = 0; y < tiff.height(); ++y)
        for (int x = 0; x < tiff.width(); ++x)
            ASSERT_EQ(tiff.pixelRgb(x, y), bitmap.pixelRgb(x, y)) << x << "," << y;
}

// The 2 x 2 picture red, green over blue, white.
Bitmap TwoByTwo(int bits)
{
    Bitmap b(2, 2, bits);
    b.setPixelRgb(0, 0, 0xFF0000);
    b.setPixelRgb(1, 0, 0x00FF00);
    b.setPixelRgb(0, 1, 0x0000FF);
    b.setPixelRgb(1, 1, 0xFFFFFF);
    return b;
}

TEST(TiffWriterTest, TwoByTwoRgbMatchesByteForByte)
{
    Bytes expected = {0x49, 0x49, 0x2A, 0x00, 0x34, 0x00, 0x00, 0x00};
    for (int i = 0; i < 2; ++i)
        expected.insert(expected.end(), {0x6D, 0x03, 0x00, 0x00, 0x0A, 0x00, 0x00, 0x00});
    expected.insert(expected.end(), {0x08, 0x00, 0x08, 0x00, 0x08, 0x00});
    expected.insert(expected.end(), {'S', 't', 'i', 'l', 'l', 'm', 'a', 'r', 'k', 0});
    expected.insert(expected.end(), {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF});
    expected.insert(expected.end(), {0x0F, 0x00});
    const std::uint32_t entries[15][4] = {
        {254, 4, 1, 0}, {256, 3, 1, 2},  {257, 3, 1, 2}, {258, 3, 3, 24}, {259, 3, 1, 1},
        {262, 3, 1, 2}, {273, 4, 1, 40}, {277, 3, 1, 3}, {278, 4, 1, 2},  {279, 4, 1, 12},
        {282, 5, 1, 8}, {283, 5, 1, 16}, {284, 3, 1, 1}, {296, 3, 1, 2},  {305, 2, 1 * 10, 30},
    };
    for (const auto& e : entries) {
        expected.insert(expected.end(), {std::uint8_t(e[0]), std::uint8_t(e[0] >> 8), std::uint8_t(e[1]), 0});
        for (const std::uint32_t v : {e[2], e[3]})
            expected.insert(expected.end(),
                            {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)});
    }
    expected.insert(expected.end(), {0, 0, 0, 0});
    ASSERT_EQ(expected.size(), 238u);

    EXPECT_EQ(TiffBytes(TwoByTwo(24)), expected);
    // 32-bit pixels lose their fourth byte and give the same file.
    Bitmap wide = TwoByTwo(32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            wide.row(y)[4 * x + 3] = 0xAB;
    EXPECT_EQ(TiffBytes(wide), expected);
}

TEST(TiffWriterTest, RgbKeepsEveryPixelTopRowFirst)
{
    Bitmap one(1, 1, 24);
    one.row(0)[0] = 1;  // blue
    one.row(0)[1] = 2;  // green
    one.row(0)[2] = 3;  // red
    const Bytes file = TiffBytes(one);
    EXPECT_EQ(Bytes(file.begin() + 40, file.begin() + 43), (Bytes{3, 2, 1}));

    std::mt19937 rng(5);
    const Bitmap shot = RandomPicture(320, 240, 24, rng);
    const Bytes shotFile = TiffBytes(shot);
    EXPECT_EQ(shotFile.size(), 3u * 320 * 240 + 226);
    test::TiffReader tiff(shotFile);
    EXPECT_EQ(tiff.width(), 320);
    EXPECT_EQ(tiff.number(273), 40u);
    EXPECT_EQ(tiff.shorts(258), (std::vector<std::uint16_t>{8, 8, 8}));
    EXPECT_EQ(tiff.rational(282), std::make_pair(877u, 10u));
    EXPECT_EQ(tiff.rational(283), std::make_pair(877u, 10u));
    EXPECT_EQ(tiff.number(296), 2u);
    ExpectSamePixels(tiff, shot);
}

TEST(TiffWriterTest, SixteenBitPicturesAreConvertedToTwentyFourBeforeTheWriter)
{
    std::mt19937 rng(16);
    const Bitmap high = RandomPicture(13, 7, 16, rng);
    Bitmap expanded(13, 7, 24);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x)
            expanded.setPixelRgb(x, y, high.pixelRgb(x, y));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_THROW(WriteTiffStream(high, buffer), std::invalid_argument) << "no colour map holds them";
    Encoders encoders;
    WriteImage(high, ImageFormatFor(4), 0, encoders, buffer);
    EXPECT_EQ(Bytes(buffer.data().begin(), buffer.data().end()), TiffBytes(expanded));
}

TEST(TiffWriterTest, PaletteLayouts)
{
    std::mt19937 rng(8);
    const Bitmap eight = RandomPicture(33, 5, 8, rng);
    const Bytes file = TiffBytes(eight);
    test::TiffReader tiff(file);
    EXPECT_EQ(tiff.tagOrder(),
              (std::vector<std::uint16_t>{254, 256, 257, 258, 259, 262, 273, 277, 278, 279, 282, 283, 296, 305, 320}));
    EXPECT_EQ(tiff.number(258), 8u);
    EXPECT_EQ(tiff.number(262), 3u);
    EXPECT_EQ(tiff.number(277), 1u);
    EXPECT_EQ(tiff.entries().at(320).count, 768u);
    EXPECT_EQ(tiff.entries().at(320).value, 8u);
    EXPECT_EQ(tiff.entries().at(282).value, 1544u);
    EXPECT_EQ(tiff.entries().at(283).value, 1552u);
    EXPECT_EQ(tiff.entries().at(305).value, 1560u);
    EXPECT_EQ(tiff.number(273), 1570u);
    EXPECT_EQ(tiff.directoryOffset(), 1570u + 33 * 5);
    EXPECT_EQ(file.size(), 1570u + 33 * 5 + 186);
    ExpectSamePixels(tiff, eight);

    // 321 pixels of 4 bits are written 320 wide: the last column is cut off.
    const Bitmap four = RandomPicture(321, 3, 4, rng);
    test::TiffReader tiff4(TiffBytes(four));
    EXPECT_EQ(tiff4.width(), 320);
    EXPECT_EQ(tiff4.number(279), 3u * 160);
    EXPECT_EQ(tiff4.number(273), 8u + 6 * 16 + 26);
    ExpectSamePixels(tiff4, four);
}

TEST(TiffWriterTest, ShortPalettesArePaddedWithBlack)
{
    Bitmap b(4, 1, 4);
    b.palette() = {{10, 20, 30, 0}, {40, 50, 60, 0}};
    b.row(0)[0] = 0x01;
    b.row(0)[1] = 0xF0;
    test::TiffReader tiff(TiffBytes(b));
    const std::vector<std::uint16_t> map = tiff.shorts(320);
    ASSERT_EQ(map.size(), 48u);
    EXPECT_EQ(map[0], 30 * 256);   // red of entry 0
    EXPECT_EQ(map[17], 50 * 256);  // green of entry 1
    EXPECT_EQ(map[33], 40 * 256);  // blue of entry 1
    for (int i = 2; i < 16; ++i)
        EXPECT_EQ(map[i] | map[16 + i] | map[32 + i], 0) << i;
    EXPECT_EQ(tiff.pixelRgb(1, 0), 0x3C3228u);
    EXPECT_EQ(tiff.pixelRgb(2, 0), 0u);
}

TEST(TiffWriterTest, BilevelLayout)
{
    std::mt19937 rng(1);
    Bitmap b = RandomPicture(19, 3, 1, rng);
    b.palette() = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    const Bytes file = TiffBytes(b);
    test::TiffReader tiff(file);
    EXPECT_EQ(tiff.entries().size(), 14u);
    EXPECT_EQ(tiff.entries().count(320), 0u);
    EXPECT_EQ(tiff.number(273), 8u);
    EXPECT_EQ(tiff.number(262), 1u);
    EXPECT_EQ(tiff.entries().at(282).value, 8u + 9);
    EXPECT_EQ(tiff.entries().at(305).value, 24u + 9);
    EXPECT_EQ(file.size(), 34u + 9 + 174);
    ExpectSamePixels(tiff, b);

    // With white as index 0 the bits are inverted, so the file shows the same picture.
    Bitmap swapped = b;
    swapped.palette() = {{255, 255, 255, 0}, {0, 0, 0, 0}};
    for (std::size_t i = 0; i < swapped.byteSize(); ++i)
        swapped.bits()[i] = std::uint8_t(~swapped.bits()[i]);
    ExpectSamePixels(test::TiffReader(TiffBytes(swapped)), swapped);
}

TEST(TiffWriterTest, RefusesWhatTheFormatCannotHold)
{
    // Sides are SHORT fields.
    EXPECT_THROW(TiffBytes(Bitmap(65536, 1, 1)), std::length_error);
    EXPECT_THROW(TiffBytes(Bitmap(1, 65536, 1)), std::length_error);
    EXPECT_NO_THROW(TiffBytes(Bitmap(65535, 1, 1)));
    // Offsets and the strip size are LONG fields.
    EXPECT_THROW(PlanTiffLayout(65535, 21846, 24), std::length_error);
    EXPECT_EQ(PlanTiffLayout(65535, 21845, 24).fileSize, 3ull * 65535 * 21845 + 226);
    EXPECT_EQ(PlanTiffLayout(65535, 65535, 8).fileSize, 65535ull * 65535 + 1570 + 186);
    // Nothing to write: an empty picture, a 4-bit one that would be cut to nothing.
    EXPECT_THROW(TiffBytes(Bitmap()), std::invalid_argument);
    EXPECT_THROW(TiffBytes(Bitmap(3, 5, 4)), std::invalid_argument);
    EXPECT_NO_THROW(TiffBytes(Bitmap(4, 5, 4)));
}

// A device that takes only so many bytes, like a disk that fills up.
class ShortDevice : public QIODevice {
public:
    explicit ShortDevice(qint64 room) : room_(room) { open(QIODevice::WriteOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 size) override
    {
        const qint64 taken = std::min(size, room_);
        room_ -= taken;
        return taken > 0 ? taken : -1;
    }

private:
    qint64 room_;
};

TEST(TiffWriterTest, FailedWritesAreReported)
{
    const Bitmap shot(320, 240, 24);
    for (const qint64 room : {0, 7, 40, 1000, 3 * 320 * 240 + 100}) {
        ShortDevice device(room);
        EXPECT_THROW(WriteTiffStream(shot, device), EncodeError) << room;
    }
    QBuffer used;
    used.open(QIODevice::WriteOnly);
    used.write("xy");
    EXPECT_THROW(WriteTiffStream(shot, used), std::invalid_argument);
}

TEST(TiffWriterFileTest, ReplacesOnlyWhenComplete)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString target = dir.filePath(QStringLiteral("镜头0001.tif"));
    {
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("older file");
    }
    EXPECT_THROW(WriteTiffFile(Bitmap(70000, 2, 1), target), std::length_error);
    QFile kept(target);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("older file"));
    kept.close();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("镜头0001.tif")});

    WriteTiffFile(TwoByTwo(24), target);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    const QByteArray written = kept.readAll();
    EXPECT_EQ(Bytes(written.begin(), written.end()), TiffBytes(TwoByTwo(24)));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);

    EXPECT_THROW(WriteTiffFile(TwoByTwo(24), dir.filePath(QStringLiteral("missing/x.tif"))), FileWriteError);
}

// libtiff's own tools read every layout without a warning, and ImageMagick decodes the
// same pixels. Skipped where the tools are not installed.
TEST(TiffWriterFileTest, IndependentReadersAcceptTheFiles)
{
    const QString tiffinfo = QStandardPaths::findExecutable(QStringLiteral("tiffinfo"));
    if (tiffinfo.isEmpty())
        GTEST_SKIP() << "tiffinfo not installed";
    const QString convert = QStandardPaths::findExecutable(QStringLiteral("convert"));
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::mt19937 rng(3);
    const struct {
        int w, h, bits;
    } cases[] = {{320, 240, 24}, {17, 9, 32}, {31, 5, 8}, {22, 6, 4}, {21, 4, 1}};
    for (const auto& c : cases) {
        Bitmap b = RandomPicture(c.w, c.h, c.bits, rng);
        if (c.bits == 1)
            b.palette() = {{0, 0, 0, 0}, {255, 255, 255, 0}};
        const QString path = dir.filePath(QStringLiteral("shot%1.tif").arg(c.bits));
        WriteTiffFile(b, path);

        QProcess info;
        info.start(tiffinfo, {path});
        ASSERT_TRUE(info.waitForFinished(30000));
        EXPECT_EQ(info.exitCode(), 0) << c.bits;
        EXPECT_EQ(info.readAllStandardError(), QByteArray()) << c.bits << " bits";

        if (convert.isEmpty())
            continue;
        QProcess decode;
        decode.start(convert, {path, QStringLiteral("-depth"), QStringLiteral("8"), QStringLiteral("rgb:-")});
        ASSERT_TRUE(decode.waitForFinished(30000));
        const QByteArray rgb = decode.readAllStandardOutput();
        const int width = c.bits == 4 ? c.w / 4 * 4 : c.w;
        ASSERT_EQ(rgb.size(), 3 * width * c.h) << c.bits << " bits: " << decode.readAllStandardError().toStdString();
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < width; ++x) {
                const std::uint32_t want = b.pixelRgb(x, y);
                for (int k = 0; k < 3; ++k) {
                    const int got = std::uint8_t(rgb[3 * (y * width + x) + k]);
                    const int expected = int(want >> (16 - 8 * k)) & 0xFF;
                    // Colour-map entries hold component x 256, which a reader scaling
                    // by 65535 / 255 may take for one less.
                    const int slack = (c.bits == 4 || c.bits == 8) ? 1 : 0;
                    ASSERT_LE(std::abs(got - expected), slack) << c.bits << " bits at " << x << "," << y;
                }
            }
    }
}

}  // namespace
}  // namespace sm
