#include <cstdlib>

#include <gtest/gtest.h>

#include "ReferenceDecoders.h"
#include "TestPictures.h"
#include "output/BmpWriter.h"
#include "output/ColorDepth.h"
#include "output/EncodeError.h"
#include "output/Encoders.h"
#include "output/GifWriter.h"
#include "output/ImageFormats.h"
#include "output/JpegEncoder.h"
#include "output/PngEncoder.h"

namespace sm {
namespace {

using test::EncodeToMemory;

// A GIF file of any picture, through the format table's conversion to the GIF palette.
void WriteGifOf(const Bitmap& picture, QIODevice& out)
{
    Encoders encoders;
    WriteImage(picture, ImageFormatFor(3), 0, encoders, out);
}

// The mean difference of the channels of two 24-bit pictures of one size.
double MeanChannelError(const Bitmap& a, const Bitmap& b)
{
    long total = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const std::uint32_t p = a.pixelRgb(x, y), q = b.pixelRgb(x, y);
            for (int shift = 0; shift < 24; shift += 8)
                total += std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF));
        }
    return double(total) / (3.0 * a.width() * a.height());
}

TEST(JpegEncoder, WritesBaselineJfifWithThreeComponentsAtEveryQuality)
{
    const Bitmap picture = test::GradientPicture(67, 41);
    JpegEncoder encoder;
    QByteArray low, high;
    for (int quality : {10, 100}) {
        encoder.setQuality(quality);
        const QByteArray file = EncodeToMemory([&](QIODevice& out) { encoder.encode(picture, out); });
        const test::JpegFile decoded = test::DecodeJpeg(file);
        ASSERT_EQ(decoded.picture.width(), 67);
        ASSERT_EQ(decoded.picture.height(), 41);
        EXPECT_EQ(decoded.components, 3);
        EXPECT_TRUE(decoded.jfifMarker);
        EXPECT_FALSE(decoded.progressive);
        EXPECT_LE(MeanChannelError(decoded.picture, picture), quality == 100 ? 3.0 : 20.0) << quality;
        (quality == 10 ? low : high) = file;
    }
    EXPECT_LT(low.size() * 3, high.size()) << "quality 10 gives a much smaller file";
}

TEST(JpegEncoder, ReadsBgrOrderAndFourByteRows)
{
    Bitmap red(16, 16, 24), red32(16, 16, 32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            red.setPixelRgb(x, y, 0xFF0000);
            red32.setPixelRgb(x, y, 0xFF0000);
        }
    JpegEncoder encoder;
    encoder.setQuality(95);
    for (const Bitmap* picture : {&red, &red32}) {
        const test::JpegFile decoded
            = test::DecodeJpeg(EncodeToMemory([&](QIODevice& out) { encoder.encode(*picture, out); }));
        ASSERT_FALSE(decoded.picture.isEmpty());
        const std::uint32_t rgb = decoded.picture.pixelRgb(8, 8);
        EXPECT_GT(rgb >> 16, 0xF0u);
        EXPECT_LT((rgb >> 8) & 0xFF, 0x10u);
        EXPECT_LT(rgb & 0xFF, 0x10u);
    }
}

TEST(PngEncoder, EveryLevelIsLosslessRgbWithSubFilterAndSmallIdatChunks)
{
    // 73 KB of raw rows that do not compress: several chunks at every level.
    const Bitmap picture = test::NoisePicture(203, 121);
    PngEncoder encoder;
    for (int level = 0; level <= 9; ++level) {
        encoder.setCompressionLevel(level);
        const QByteArray file = EncodeToMemory([&](QIODevice& out) { encoder.encode(picture, out); });
        const test::PngFile decoded = test::DecodePng(file);
        ASSERT_EQ(decoded.picture, picture) << "level " << level;
        EXPECT_EQ(decoded.colorType, 2);
        EXPECT_EQ(decoded.bitDepth, 8);
        EXPECT_EQ(decoded.interlace, 0);
        ASSERT_EQ(decoded.rowFilters.size(), 121u);
        for (int filter : decoded.rowFilters)
            ASSERT_EQ(filter, 1) << "every row is filtered with Sub";
        ASSERT_GE(decoded.idatSizes.size(), 2u);
        for (std::uint32_t size : decoded.idatSizes)
            EXPECT_LE(size, 65535u);
        EXPECT_EQ(decoded.chunkNames.front(), "IHDR");
        EXPECT_EQ(decoded.chunkNames.back(), "IEND");
    }
}

TEST(PngEncoder, OnlyLevelZeroStoresTheDataUncompressed)
{
    const Bitmap picture = test::GradientPicture(64, 48);
    PngEncoder encoder;
    for (int level = 0; level <= 9; ++level) {
        encoder.setCompressionLevel(level);
        const test::PngFile decoded
            = test::DecodePng(EncodeToMemory([&](QIODevice& out) { encoder.encode(picture, out); }));
        EXPECT_EQ(decoded.picture, picture) << "level " << level;
        EXPECT_EQ(decoded.storedOnly, level == 0) << "level " << level;
    }
}

TEST(PngEncoder, ThirtyTwoBitPicturesLoseTheFourthByteOnly)
{
    Bitmap picture(5, 3, 32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            picture.setPixelRgb(x, y, std::uint32_t(0x102030 * (x + 1) + y));
            picture.row(y)[4 * x + 3] = 0x77;
        }
    PngEncoder encoder;
    const test::PngFile decoded
        = test::DecodePng(EncodeToMemory([&](QIODevice& out) { encoder.encode(picture, out); }));
    ASSERT_EQ(decoded.picture.width(), 5);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(decoded.picture.pixelRgb(x, y), picture.pixelRgb(x, y));
}

TEST(PngEncoder, LevelsOutsideTheScaleAreClamped)
{
    PngEncoder encoder;
    encoder.setCompressionLevel(200);
    EXPECT_EQ(encoder.compressionLevel(), 9);
    encoder.setCompressionLevel(-3);
    EXPECT_EQ(encoder.compressionLevel(), 0);
}

TEST(GifWriter, WritesTheIndicesAndTheWholePalette)
{
    Bitmap indexed(7, 5, 8);
    for (int i = 0; i < 256; ++i)
        indexed.palette().push_back(PaletteEntry{std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i / 2), 0});
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            indexed.row(y)[x] = std::uint8_t(x * 37 + y * 11);
    const test::GifFile decoded = test::DecodeGif(EncodeToMemory([&](QIODevice& out) { WriteGif(indexed, out); }));
    EXPECT_EQ(decoded.colorMapSize, 256);
    EXPECT_EQ(decoded.picture, indexed);
}

TEST(GifFormat, KeepsTheFixedColoursAndStaysCloseToThePicture)
{
    const Bitmap picture = test::GradientPicture(90, 70);
    const test::GifFile decoded = test::DecodeGif(EncodeToMemory([&](QIODevice& out) { WriteGifOf(picture, out); }));
    ASSERT_EQ(decoded.picture.width(), 90);
    ASSERT_EQ(decoded.colorMapSize, 256);
    const auto& palette = decoded.picture.palette();
    EXPECT_EQ(palette[0], (PaletteEntry{0, 0, 0, 0}));
    EXPECT_EQ(palette[9], (PaletteEntry{240, 202, 166, 0}));
    EXPECT_EQ(palette[246], (PaletteEntry{240, 251, 255, 0}));
    EXPECT_EQ(palette[255], (PaletteEntry{255, 255, 255, 0}));
    // Dithering keeps the mean colour of every 10 x 10 block close to the original's.
    for (int by = 0; by < 7; ++by)
        for (int bx = 0; bx < 9; ++bx) {
            long sum[2][3] = {};
            for (int y = by * 10; y < by * 10 + 10; ++y)
                for (int x = bx * 10; x < bx * 10 + 10; ++x)
                    for (int c = 0; c < 3; ++c) {
                        sum[0][c] += (picture.pixelRgb(x, y) >> (8 * c)) & 0xFF;
                        sum[1][c] += (decoded.picture.pixelRgb(x, y) >> (8 * c)) & 0xFF;
                    }
            for (int c = 0; c < 3; ++c)
                EXPECT_NEAR(sum[0][c] / 100.0, sum[1][c] / 100.0, 6.0) << bx << "," << by;
        }
}

TEST(BmpWriter, EveryDepthCarriesItsHeadersAndPixels)
{
    const Bitmap picture = test::NoisePicture(13, 7);
    struct Case {
        int bits;
        std::uint32_t paletteEntries;
        std::uint32_t compression;
    };
    for (const Case c : {Case{4, 16, 0}, Case{8, 256, 0}, Case{16, 0, 3}, Case{24, 0, 0}}) {
        const Bitmap converted = ConvertToDepth(picture, c.bits);
        const QByteArray file = EncodeToMemory([&](QIODevice& out) { WriteBmp(converted, out); });
        const test::BmpFile decoded = test::DecodeBmp(file);
        EXPECT_EQ(decoded.fileSizeField, std::uint32_t(file.size()));
        EXPECT_EQ(decoded.infoSize, 40u);
        EXPECT_EQ(decoded.bitCount, c.bits);
        EXPECT_EQ(decoded.compression, c.compression);
        EXPECT_EQ(decoded.imageSize, converted.stride() * 7);
        EXPECT_EQ(decoded.pixelOffset, 54 + 4 * c.paletteEntries + (c.bits == 16 ? 12 : 0));
        EXPECT_EQ(decoded.picture, converted) << c.bits << " bits: rows bottom up, palette and pixels intact";
        if (c.bits == 16) {
            EXPECT_EQ(decoded.masks, (std::vector<std::uint32_t>{0xF800, 0x07E0, 0x001F}));
        }
    }
}

TEST(Encoders, RefuseSizesTheirFormatCannotHold)
{
    QByteArray sink;
    QBuffer buffer(&sink);
    buffer.open(QIODevice::WriteOnly);
    JpegEncoder jpeg;
    PngEncoder png;
    EXPECT_THROW(jpeg.encode(Bitmap(65501, 1), buffer), EncodeError);
    EXPECT_THROW(jpeg.encode(Bitmap(), buffer), EncodeError);
    EXPECT_THROW(png.encode(Bitmap(), buffer), EncodeError);
    EXPECT_THROW(WriteGifOf(Bitmap(65536, 1), buffer), EncodeError);
    EXPECT_THROW(WriteGifOf(Bitmap(1, 65536), buffer), EncodeError);
    EXPECT_THROW(WriteBmp(Bitmap(), buffer), EncodeError);
    EXPECT_EQ(sink.size(), 0) << "nothing is written for a refused picture";

    // BMP size fields are 32 bits: 4 GiB of pixels do not fit, 4 GiB less the headers do.
    EXPECT_THROW(BmpLayoutFor(65536, 65536, 8), EncodeError);
    EXPECT_THROW(BmpLayoutFor(0x7FFFFFFF, 3, 24), EncodeError);
    EXPECT_EQ(BmpLayoutFor(65536, 65535, 8).fileSize, 65536u * 65535u + 54 + 1024);
    EXPECT_EQ(BmpLayoutFor(3, 2, 24).fileSize, 54u + 2 * 12);
    EXPECT_EQ(BmpLayoutFor(65500, 1, 24).fileSize, 54u + 196500);

    // The largest sides the formats allow are still written.
    const test::JpegFile wide
        = test::DecodeJpeg(EncodeToMemory([&](QIODevice& out) { jpeg.encode(Bitmap(65500, 1), out); }));
    EXPECT_EQ(wide.picture.width(), 65500);
    const test::GifFile tall
        = test::DecodeGif(EncodeToMemory([&](QIODevice& out) { WriteGifOf(Bitmap(1, 65535), out); }));
    EXPECT_EQ(tall.picture.height(), 65535);
}

TEST(Encoders, AFullDeviceIsAnErrorAndTheEncoderStaysUsable)
{
    const Bitmap picture = test::NoisePicture(64, 64);
    JpegEncoder jpeg;
    PngEncoder png;
    for (qint64 capacity : {0, 100, 2000}) {
        test::FullDevice full(capacity);
        EXPECT_THROW(jpeg.encode(picture, full), EncodeError) << capacity;
        EXPECT_THROW(png.encode(picture, full), EncodeError) << capacity;
        EXPECT_THROW(WriteGifOf(picture, full), EncodeError) << capacity;
        EXPECT_THROW(WriteBmp(picture, full), EncodeError) << capacity;
    }
    jpeg.setQuality(100);
    const test::JpegFile again = test::DecodeJpeg(EncodeToMemory([&](QIODevice& out) { jpeg.encode(picture, out); }));
    EXPECT_EQ(again.picture.width(), 64);
}

}  // namespace
}  // namespace sm
